#pragma once

// Every text the editor shows, in one place, so the windows and the tests agree on them.
namespace editor::texts {

constexpr char kApplicationTitle[] = "Map Editor";
constexpr char kMainCaption[] = "Редактор карт для игры Tarvolen V 0.11";
constexpr char kToolsCaption[] = "Инструменты";
constexpr char kPropertiesCaption[] = "Свойства карты";

constexpr char kMenuFile[] = "Файл";
constexpr char kMenuNew[] = "Создать";
constexpr char kMenuOpen[] = "Открыть";
constexpr char kMenuSave[] = "Сохранить";
constexpr char kMenuSaveAs[] = "Сохранить как...";
constexpr char kMenuExit[] = "Выход";
constexpr char kMenuResetView[] = "Сбросить вид";
constexpr char kMenuProperties[] = "Свойства карты";
constexpr char kMenuHelp[] = "Помощь";
constexpr char kMenuHelpText[] = "Помощь";
constexpr char kMenuAbout[] = "О программе";

constexpr char kMapFileFilter[] = "Tarvolen карты (*.map)";
constexpr char kMapFileSuffix[] = "map";

// Lines of a message box are separated by a line break, which is how the box shows separate lines.
constexpr char kHelpText[] =
    "Стрелки - двигать камеру.\n"
    "Левый клик - поставить объект\n"
    "Правый клик - удалить объект(левый нижний край которого находится под курсором).\n"
    "Колесико - зум камеры.\n"
    "Зажать среднюю кнопку - крутить карту.";
constexpr char kAboutText[] =
    "Редактор карт для игры \"Tarvolen\"\n"
    "Автор: команда проекта Tarvolen";
constexpr char kMoreLoadFailures[] = "Не загрузились и другие текстуры и модели, их сообщения не показаны. Всего ещё ";
constexpr char kStartupFailure[] =
    "При загрузке необходимых файлов произошли ошибки, возможно переустановка исправит эту проблемму!";

constexpr char kToolSurface[] = "Поверхность";
constexpr char kToolGround[] = "Наземные объекты";
constexpr char kToolSpecial[] = "Специальные объекты";
constexpr char kToolAir[] = "Воздушные объекты";
constexpr char kLength[] = "Длина:";
constexpr char kWidth[] = "Ширина:";
constexpr char kHeight[] = "Высота:";
constexpr char kAngle[] = "Угол:";
constexpr char kLevel[] = "Уровень Z:";
constexpr char kOpacity[] = "Прозрачность:";
constexpr char kExtraParameters[] = "Дополнительные параметры:";
constexpr char kScriptFolder[] = "{gamedir}/Data/Maps/";
constexpr char kScriptExtension[] = ".txt";
constexpr char kScriptEntry[] = "Script";
constexpr char kDefaultScriptName[] = "Script1";
constexpr char kParamCut[] = "Длиннее 20 символов, в карту попадёт только ";
constexpr char kParamReplaced[] = "Символы, которых нет в кодировке карт (Windows-1251), будут заменены на \"?\".";

constexpr char kMapSize[] = "Размер карты:";
constexpr char kSizeSeparator[] = "X";
constexpr char kBaseSurface[] = "Поверхность:";
constexpr char kOk[] = "OK";

// The mapper's safety net: questions before work is lost, and why a map did not open.
constexpr char kUnsavedQuestion[] = "Сохранить изменения в карте?";
constexpr char kRestoreQuestion[] = "Восстановить карту из автосохранения?";
constexpr char kAnswerSave[] = "Сохранить";
constexpr char kAnswerDiscard[] = "Не сохранять";
constexpr char kAnswerCancel[] = "Отмена";
constexpr char kAnswerYes[] = "Да";
constexpr char kAnswerNo[] = "Нет";
constexpr char kOpenFailed[] = "Не удалось открыть карту \"";
constexpr char kOpenMissing[] = "файл не найден.";
constexpr char kOpenFolder[] = "это папка, а не файл карты.";
constexpr char kOpenUnreadable[] = "файл не читается: ";
constexpr char kOpenDamaged[] = "файл повреждён или обрезан: ";
constexpr char kOpenWrongVersion[] = "неподдерживаемая версия карты \"";
constexpr char kOpenNotAMap[] = "файл не является картой Tarvolen.";
constexpr char kMissingSurface[] = "Карта \"";
constexpr char kMissingSurfaceNumber[] = "\" ссылается на базовую поверхность ";
constexpr char kMissingSurfaceCount[] = ", которой нет в списке базовых поверхностей (в нём ";
constexpr char kMissingSurfaceKept[] = "). Карта открыта со всеми записями, не загружена только её базовая текстура.";
constexpr char kBackupFailed[] = "Не удалось отложить прежнее автосохранение \"";
constexpr char kBackupFailedWhy[] = "\"; автосохранение отключено, чтобы не затереть его: ";
constexpr char kAutosaveNote[] = "Автосохранение: ";
constexpr char kOtherEditorRunning[] = "В этой папке работает ещё один редактор.";

// The mapper's tools beyond placing one record a click.
constexpr char kMenuEdit[] = "Правка";
constexpr char kMenuCopy[] = "Копировать";
constexpr char kMenuCut[] = "Вырезать";
constexpr char kMenuPaste[] = "Вставить";
constexpr char kMenuDeleteSelection[] = "Удалить выделенное";
constexpr char kMenuView[] = "Вид";
constexpr char kMenuGrid[] = "Сетка";
constexpr char kMenuOverview[] = "Обзор карты";
constexpr char kMenuCheck[] = "Проверить карту";
constexpr char kMenuRecent[] = "Недавние карты";
constexpr char kRecentMissing[] = "Файл не найден и убран из списка недавних карт: ";
constexpr char kOverviewCaption[] = "Обзор карты";
constexpr char kProblemsCaption[] = "Проверка карты";
constexpr char kNoProblems[] = "Ошибок не найдено.";

constexpr char kModeBrush[] = "Кисть";
constexpr char kModeRectangle[] = "Прямоугольник";
constexpr char kModeFlood[] = "Заливка";
constexpr char kSelectTool[] = "Выделение";
constexpr char kHintRectangle[] = "Прямоугольник: тяните мышью";
constexpr char kHintFlood[] = "Заливка: щёлкните по области";
constexpr char kHintSelect[] = "Выделение: тяните; Ctrl+C, X, Del";
constexpr char kHintPaste[] = "Вставка: щелчок ставит, Esc - отмена";

constexpr char kProblemHeader[] = "Заголовок карты";
constexpr char kProblemTile[] = "Плитка";
constexpr char kProblemGround[] = "Наземный объект";
constexpr char kProblemSpecial[] = "Специальный объект";
constexpr char kProblemAir[] = "Воздушный объект";
constexpr char kProblemNumber[] = " №";
constexpr char kProblemCell[] = " в клетке (";
constexpr char kProblemOutside[] = "лежит за пределами карты ";
constexpr char kProblemKind[] = "вида ";
constexpr char kProblemKindMissing[] = " нет в каталоге, он не рисуется";
constexpr char kProblemKindUnknown[] = "его вида нет в каталоге, он не рисуется";
constexpr char kProblemDuplicate[] = "в точности повторяет более ранний объект того же слоя";
constexpr char kProblemCounts[] = "счётчики заголовка не совпадают с записями файла";

constexpr char kStatusCell[] = "Клетка ";
constexpr char kStatusNoCell[] = "—";
constexpr char kStatusSize[] = "карта ";
constexpr char kStatusTiles[] = "плитки ";
constexpr char kStatusGround[] = "наземные ";
constexpr char kStatusSpecial[] = "спец. ";
constexpr char kStatusAir[] = "возд. ";
constexpr char kStatusUnnamed[] = "Без имени";
constexpr char kStatusSeparator[] = " · ";

constexpr char kUsage[] =
    "Использование: atlas [ФАЙЛ.map]\n"
    "  ФАЙЛ.map   открыть эту карту, когда каталоги загружены\n"
    "  --help     показать эту справку и выйти\n"
    "  --version  показать версию и выйти\n";
constexpr char kUnknownOption[] = "atlas: неизвестный параметр ";
constexpr char kTooManyFiles[] = "atlas: можно открыть только одну карту";

}  // namespace editor::texts
