#include "tests/editor/app/editor_app_fixture.h"

#include "editor/app/properties_window.h"
#include "editor/app/qt_services.h"
#include "editor/document/editor_texts.h"

#include <QComboBox>
#include <QGroupBox>
#include <QListWidget>
#include <QMenuBar>
#include <QTimer>

#include <GL/gl.h>

#include <set>

namespace editor {
namespace {

QStringList Entries(const QListWidget* list) {
    QStringList entries;
    for (int i = 0; i < list->count(); ++i) {
        entries << list->item(i)->text();
    }
    return entries;
}

using StartupTest = EditorAppTest;

TEST_F(StartupTest, ShowsTheThreeWindowsAndFillsTheListsFromTheCatalogues) {
    StartEditor();
    EXPECT_EQ(m_window->windowTitle(), QString::fromUtf8("Редактор карт для игры Tarvolen V 0.11"));
    EXPECT_EQ(m_window->size(), QSize(542, 572));
    TFormTools& tools = m_window->Tools();
    EXPECT_TRUE(tools.isVisible());
    EXPECT_EQ(tools.windowTitle(), QString::fromUtf8("Инструменты"));
    EXPECT_TRUE(tools.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(m_window->Properties().isVisible());

    EXPECT_EQ(Entries(Tools().ListBox1), QStringList({"Камни", "Дорога"}));
    EXPECT_EQ(Entries(Tools().ListBox2), QStringList({"Дом", "Ель"}));
    EXPECT_EQ(Entries(Tools().ListBox4), QStringList({"Облако"}));
    EXPECT_EQ(Entries(Tools().ListBox3), QStringList({"Script", "Старт", "Финиш"}));
    EXPECT_EQ(Tools().ListBox1->currentRow(), 0);
    EXPECT_EQ(Tools().ListBox2->currentRow(), 0);
    EXPECT_EQ(Tools().ListBox4->currentRow(), 0);
    EXPECT_EQ(Tools().ListBox3->currentRow(), 1);
    EXPECT_EQ(m_window->Properties().ComboBox1()->count(), 2);
    EXPECT_EQ(m_window->Properties().ComboBox1()->currentIndex(), 0);

    const TKindCatalogues& kinds = Session().Kinds;
    ASSERT_EQ(kinds.SurfaceKinds.size(), 2u);
    ASSERT_EQ(kinds.GroundKinds.size(), 2u);
    ASSERT_EQ(kinds.AirKinds.size(), 1u);
    EXPECT_NE(kinds.SurfaceKinds[1].Texture, 0);
    EXPECT_EQ(kinds.GroundKinds[1].Id, 1);
    EXPECT_NE(kinds.GroundKinds[1].Texture, 0);
    EXPECT_GE(kinds.GroundKinds[1].Mesh, 0);
    EXPECT_NE(kinds.GroundKinds[0].Mesh, kinds.GroundKinds[1].Mesh);
    EXPECT_NE(Session().BaseTexture, 0u);
    EXPECT_FALSE(std::filesystem::exists(m_folder / "Temp.qzm"));

    EXPECT_EQ(MapData().Header.SizeX, 4);
    EXPECT_EQ(MapData().Header.SizeY, 4);
    EXPECT_FLOAT_EQ(Session().Camera.PanX, -2);
    EXPECT_FLOAT_EQ(Session().Camera.PanY, -2);
    EXPECT_TRUE(m_dataMessages.empty());
    EXPECT_TRUE(m_messages.empty());
    EXPECT_FALSE(m_terminated);
}

TEST_F(StartupTest, MenuBarHoldsTheCommandsInOrder) {
    StartEditor();
    QStringList bar;
    for (QAction* action : m_window->menuBar()->actions()) {
        bar << action->text();
    }
    // The described items keep their order; the block commands and the view's helpers come before help.
    EXPECT_EQ(bar, QStringList({"Файл", "Сбросить вид", "Свойства карты", "Правка", "Вид", "Помощь"}));
    const QList<QAction*> file = m_window->menuBar()->actions().front()->menu()->actions();
    QStringList fileItems;
    for (QAction* action : file) {
        fileItems << action->text();
    }
    EXPECT_EQ(fileItems,
              QStringList({"Создать", "Открыть", "Сохранить", "Сохранить как...", "Недавние карты", "Выход"}));
    const QList<QAction*> help = m_window->menuBar()->actions().back()->menu()->actions();
    ASSERT_EQ(help.size(), 2);
    EXPECT_EQ(help[0], m_window->Menu().N4);
    EXPECT_EQ(help[1]->text(), QString::fromUtf8("О программе"));
}

TEST_F(StartupTest, HelpAndAboutShowTheirLinesInTheStandardBox) {
    StartEditor();
    m_window->Menu().N4->trigger();
    m_window->Menu().N5->trigger();
    ASSERT_EQ(m_messages.size(), 2u);
    EXPECT_EQ(m_messages[0],
              "Стрелки - двигать камеру.\n"
              "Левый клик - поставить объект\n"
              "Правый клик - удалить объект(левый нижний край которого находится под курсором).\n"
              "Колесико - зум камеры.\n"
              "Зажать среднюю кнопку - крутить карту.");
    EXPECT_EQ(m_messages[1].rfind("Редактор карт для игры \"Tarvolen\"\nАвтор: ", 0), 0u);
}

TEST_F(StartupTest, MissingSpecialListEndsTheProgramAfterTexturesAndMeshesLoaded) {
    std::filesystem::remove(m_folder / "System" / "Special_obj.txt");
    StartEditor();
    EXPECT_EQ(m_messages, std::vector<std::string>{texts::kStartupFailure});
    EXPECT_TRUE(m_terminated);
    EXPECT_EQ(Session().Kinds.AirKinds.size(), 1u);
    EXPECT_GE(Session().Kinds.AirKinds[0].Mesh, 0);
}

TEST_F(StartupTest, MissingTexturePackageReportsEveryTextureAndStartsUntextured) {
    std::filesystem::remove(m_folder / "Data" / "Textures.qzp");
    StartEditor();
    const std::string missing = "Error|Package file not found \"Data\\Textures.qzp\"";
    EXPECT_EQ(m_dataMessages, (std::vector<std::string>{missing, "JPG Unit|Couldn't load JPG from stream", missing,
                                                         "BMP Unit|Couldn't load BMP from stream", missing,
                                                         "BMP Unit|Couldn't load BMP from stream"}));
    EXPECT_FALSE(m_terminated);
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(Session().BaseTexture, 0u);
    EXPECT_EQ(Session().Kinds.SurfaceKinds.at(0).Texture, 0);
    EXPECT_NE(Session().Kinds.GroundKinds.at(0).Texture, 0);
}

TEST_F(StartupTest, MissingObjectPackageShowsThePackageMessageOnceThenEnds) {
    std::filesystem::remove(m_folder / "Data" / "Objects.qzp");
    StartEditor();
    EXPECT_EQ(m_dataMessages, std::vector<std::string>{"Error|Package file not found \"Data\\Objects.qzp\""});
    EXPECT_EQ(m_messages, std::vector<std::string>{texts::kStartupFailure});
    EXPECT_TRUE(m_terminated);
}

TEST_F(StartupTest, MalformedMeshEndsTheProgramAndLeavesNoTemporaryFile) {
    const std::vector<PackageRecord> objects = {
        {"Info_ground.txt", test_data::Bytes("Дом.qzm\nДом.bmp\n")},
        {"Info_air.txt", test_data::Bytes("")},
        {"Дом.qzm", test_data::Bytes("New object\nnumverts numfaces\nthree two\n")},
        {"Дом.bmp", test_data::SolidImage(qRgb(1, 2, 3), "BMP")},
    };
    WritePackage((m_folder / "Data" / "Objects.qzp").string(), objects);
    StartEditor();
    EXPECT_EQ(m_messages, std::vector<std::string>{texts::kStartupFailure});
    EXPECT_TRUE(m_terminated);
    EXPECT_FALSE(std::filesystem::exists(m_folder / "Temp.qzm"));
}

std::set<std::string> FolderListing(const std::filesystem::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        names.insert(std::filesystem::relative(entry.path(), folder).string());
    }
    return names;
}

// Meshes are read from the package in memory: the start writes nothing beside the data (a folder
// where "Temp.qzm" cannot be written starts as any other), only the autosave's lock.
TEST_F(StartupTest, StartingWritesNothingBesideTheData) {
    std::filesystem::create_directories(m_folder / "Temp.qzm" / "taken");
    std::set<std::string> expected = FolderListing(m_folder);
    StartEditor();
    EXPECT_FALSE(m_terminated);
    EXPECT_TRUE(m_dataMessages.empty());
    EXPECT_GE(Session().Kinds.GroundKinds.at(1).Mesh, 0);
    expected.insert("Temp.map.lock");
    EXPECT_EQ(FolderListing(m_folder), expected);
}

// Past the first three textures that fail, their boxes give way to one that counts the rest.
TEST_F(StartupTest, ManyMissingTexturesShowAFewBoxesAndACount) {
    std::string surfaces = "Камни\n";
    for (int i = 0; i < 100; ++i) {
        surfaces += "нет" + std::to_string(i) + "\n";
    }
    test_data::WriteFile(m_folder / "System" / "Surface.txt", surfaces);
    StartEditor();
    EXPECT_FALSE(m_terminated);
    ASSERT_EQ(m_dataMessages.size(), 7u);
    EXPECT_EQ(m_dataMessages[0], "Error|Record \"нет0.bmp\" not found in \"Data\\Textures.qzp\"");
    EXPECT_EQ(m_dataMessages[5], "BMP Unit|Couldn't load BMP from stream");
    EXPECT_EQ(m_dataMessages[6].rfind(std::string("Error|") + texts::kMoreLoadFailures + "97:\nнет3.bmp\n", 0), 0u)
        << m_dataMessages[6];
    EXPECT_EQ(Session().Kinds.SurfaceKinds.size(), 101u);
    EXPECT_NE(Session().Kinds.SurfaceKinds[0].Texture, 0);
}

TEST_F(StartupTest, OddObjectListListsTheLastLineWithoutAKind) {
    const std::vector<PackageRecord> objects = {
        {"Info_ground.txt", test_data::Bytes("Дом.qzm\nДом.bmp\nabc")},
        {"Info_air.txt", test_data::Bytes("")},
        {"Дом.qzm", test_data::Bytes(test_data::PyramidQzm())},
        {"Дом.bmp", test_data::SolidImage(qRgb(1, 2, 3), "BMP")},
    };
    WritePackage((m_folder / "Data" / "Objects.qzp").string(), objects);
    StartEditor();
    EXPECT_FALSE(m_terminated);
    EXPECT_EQ(Entries(Tools().ListBox2), QStringList({"Дом", ""}));
    EXPECT_EQ(Session().Kinds.GroundKinds.size(), 1u);
    EXPECT_EQ(Tools().ListBox4->count(), 0);
}

// Real message boxes run their own event loop, in which the view keeps painting; the textures
// loaded after a box still belong to the view.
TEST_F(StartupTest, TexturesLoadedAfterARealMessageBoxAreValid) {
    test_data::WriteFile(m_folder / "System" / "Basic_surface.txt", "Нет\n");
    InstallQtMessageReporter();
    int closed = 0;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            box->close();
            ++closed;
        }
    });
    closer.start(100);
    StartEditor();
    closer.stop();
    EXPECT_EQ(closed, 2);
    EXPECT_FALSE(m_terminated);
    const auto texture = static_cast<GLuint>(Session().Kinds.SurfaceKinds.at(1).Texture);
    ASSERT_NE(texture, 0u);
    View().makeCurrent();
    EXPECT_EQ(glIsTexture(texture), GL_TRUE);
    View().doneCurrent();
}

}  // namespace
}  // namespace editor
