#include "tests/editor/document/map_document_fixture.h"

#include "editor/document/editor_texts.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace editor {
namespace {

using StartTest = MapDocumentTest;

std::string Backup(int number) {
    return "Temp.bak" + std::to_string(number) + ".map";
}

TEST_F(StartTest, LoadedCataloguesGiveTheBaseSurfacesAndAnEmptyUnchangedMap) {
    m_session.Camera.PanX = 7;
    EXPECT_TRUE(m_document.Start({})) << "the autosave may run";
    EXPECT_EQ(m_session.BaseSurfaces, (std::vector<std::string>{"Трава", "Песок"}));
    EXPECT_EQ(m_session.BaseTextureSurface, 0);
    EXPECT_EQ(MapData().Header.SizeX, 4);
    EXPECT_EQ(MapData().Header.SizeY, 4);
    EXPECT_FLOAT_EQ(m_session.Camera.PanX, -2);
    EXPECT_FALSE(m_session.History.Modified());
    EXPECT_EQ(m_window.Replacements, 1);
    EXPECT_TRUE(m_messages.empty());
    EXPECT_TRUE(m_questions.empty());
    EXPECT_FALSE(m_terminated);
    EXPECT_EQ(m_document.AutosaveNote(), "");
}

// The program ends, but the empty map is made all the same; nothing is offered, opened or
// renamed, and the autosave never runs.
TEST_F(StartTest, CataloguesThatFailEndTheProgramWithTheStartupMessage) {
    const Bytes earlier = StoredMapBytes(1, 3);
    CrashedEditorLeft(earlier);
    WriteBytes("start.map", StoredMapBytes(1, 4));
    m_window.CataloguesFail = true;
    EXPECT_FALSE(m_document.Start(PathOf("start.map")));
    EXPECT_EQ(m_messages, std::vector<std::string>{texts::kStartupFailure});
    EXPECT_TRUE(m_terminated);
    EXPECT_TRUE(m_questions.empty());
    EXPECT_TRUE(m_session.BaseSurfaces.empty());
    EXPECT_FALSE(m_session.BaseTextureSurface.has_value());
    EXPECT_EQ(MapData().Header.SizeX, 4);
    EXPECT_TRUE(MapData().Tiles.empty());
    EXPECT_TRUE(m_session.MapFileName.empty());
    EXPECT_EQ(m_window.Replacements, 1);
    EXPECT_EQ(FileBytes("Temp.map"), earlier);
    EXPECT_FALSE(Exists(Backup(1)));
}

// Only the autosave of an editor that did not end normally is offered: restored, it is an
// unnamed, changed map; declined or unreadable, it is kept aside as a numbered backup.
TEST_F(StartTest, TheAutosaveOfACrashedEditorIsOfferedOrKeptAside) {
    const Bytes earlier = StoredMapBytes(1, 3);
    Bytes damaged = earlier;
    damaged.resize(40);
    const struct {
        const char* name;
        Bytes temp;
        bool restore;
        bool restored;
    } cases[] = {
        {"restored", earlier, true, true},
        {"declined", earlier, false, false},
        {"damaged", damaged, true, false},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(PathOf(Backup(1)));
        CrashedEditorLeft(c.temp);
        m_questions.clear();
        m_errors.clear();
        m_yesNoAnswers = {c.restore};
        const int replacements = m_window.Replacements;
        TMapDocument document(m_session, m_services, m_window);
        EXPECT_TRUE(document.Start({})) << c.name;
        EXPECT_EQ(m_questions, std::vector<std::string>{texts::kRestoreQuestion}) << c.name;
        if (c.restored) {
            EXPECT_EQ(MapBytes(), earlier);
            EXPECT_TRUE(m_session.MapFileName.empty());
            EXPECT_TRUE(m_session.History.Modified());
            EXPECT_EQ(m_window.Replacements, replacements + 2) << "the window shows the empty map, then the restored one";
            EXPECT_FALSE(Exists(Backup(1)));
            EXPECT_TRUE(m_errors.empty());
        } else {
            EXPECT_EQ(MapData().Tiles.size(), 0u) << c.name;
            EXPECT_FALSE(m_session.History.Modified()) << c.name;
            EXPECT_EQ(FileBytes(Backup(1)), c.temp) << c.name;
            EXPECT_EQ(m_errors.size(), c.restore ? 1u : 0u) << c.name;
            document.Autosave();
            EXPECT_EQ(FileBytes("Temp.map"), MapBytes()) << c.name;
            EXPECT_EQ(FileBytes(Backup(1)), c.temp) << c.name;
        }
    }
}

// After a normal end, and after a crash that came before the first autosave, "Temp.map" is work
// that was ended on purpose (or older than the crashed run): it stays, and nothing is asked.
TEST_F(StartTest, NoOfferAfterANormalEndOrACrashBeforeTheFirstAutosave) {
    {
        TMapDocument first(m_session, m_services, m_window);
        ASSERT_TRUE(first.Start({}));
        EditMap(2);
        first.Autosave();
        EXPECT_TRUE(Exists("Temp.map.lock")) << "the running editor's lock";
    }
    const Bytes left = FileBytes("Temp.map");
    EXPECT_FALSE(Exists("Temp.map.lock")) << "a normal end removes the lock";
    {
        TMapDocument second(m_session, m_services, m_window);
        EXPECT_TRUE(second.Start({}));
    }
    CrashedEditorLeft(std::nullopt);
    EXPECT_TRUE(m_document.Start({}));
    EXPECT_TRUE(m_questions.empty());
    EXPECT_EQ(FileBytes("Temp.map"), left);
    EXPECT_FALSE(Exists(Backup(1)));
}

// Two editors in one folder: the second writes an autosave of its own, says so, and is offered
// nothing of the first one's, which is live. A crashed editor's autosave is offered to the next
// editor, whichever name it had.
TEST_F(StartTest, EditorsInOneFolderKeepTheirAutosavesApart) {
    auto first = std::make_unique<TMapDocument>(m_session, m_services, m_window);
    ASSERT_TRUE(first->Start({}));
    EditMap(1);
    first->Autosave();
    const Bytes firstWork = FileBytes("Temp.map");

    ASSERT_TRUE(m_document.Start({}));
    EXPECT_TRUE(m_questions.empty());
    EXPECT_EQ(m_document.AutosaveNote(), std::string(texts::kAutosaveNote) + "Temp-2.map");
    EditMap(2);
    m_document.Autosave();
    EXPECT_EQ(FileBytes("Temp-2.map"), MapBytes());
    EXPECT_EQ(FileBytes("Temp.map"), firstWork);

    const Bytes thirdWork = StoredMapBytes(0, 5);
    CrashedEditorLeft(thirdWork);
    first.reset();
    m_yesNoAnswers = {true};
    TMapDocument next(m_session, m_services, m_window);
    ASSERT_TRUE(next.Start({}));
    EXPECT_EQ(m_questions, std::vector<std::string>{texts::kRestoreQuestion});
    EXPECT_EQ(MapBytes(), thirdWork);
    EXPECT_EQ(next.AutosaveNote(), std::string(texts::kAutosaveNote) + "Temp-3.map") << "the second editor runs";
}

// "temp.map" is another file than "Temp.map": neither offered, nor moved, nor written.
TEST_F(StartTest, TheEditorsOwnFilesAreFoundByTheirExactNames) {
    const Bytes other = StoredMapBytes(1, 2);
    CrashedEditorLeft(std::nullopt);
    WriteBytes("temp.map", other);
    WriteBytes("temp.bak1.map", other);
    {
        TMapDocument document(m_session, m_services, m_window);
        ASSERT_TRUE(document.Start({}));
        EXPECT_TRUE(m_questions.empty());
        EditMap(3);
        document.Autosave();
        EXPECT_EQ(FileBytes("Temp.map"), MapBytes());
        EXPECT_EQ(FileBytes("temp.map"), other);
    }
    const Bytes crashed = StoredMapBytes(0, 1);
    CrashedEditorLeft(crashed);
    ASSERT_TRUE(m_document.Start({}));
    EXPECT_EQ(m_questions, std::vector<std::string>{texts::kRestoreQuestion});
    EXPECT_EQ(FileBytes(Backup(1)), crashed);
    EXPECT_EQ(FileBytes("temp.bak1.map"), other);
    EXPECT_EQ(FileBytes("temp.map"), other);
}

// Each declined autosave gets the next number; the newest five stay. A folder that has the next
// backup's name is passed over.
TEST_F(StartTest, DeclinedAutosavesKeepTheNewestFive) {
    std::filesystem::create_directories(PathOf(Backup(3) + "/taken"));
    std::vector<Bytes> autosaves;
    for (int run = 1; run <= 7; ++run) {
        autosaves.push_back(StoredMapBytes(0, run));
        CrashedEditorLeft(autosaves.back());
        TMapDocument document(m_session, m_services, m_window);
        ASSERT_TRUE(document.Start({})) << run;
    }
    EXPECT_EQ(m_questions.size(), 7u);
    const int numbers[] = {1, 2, 4, 5, 6, 7, 8};
    for (int run = 1; run <= 7; ++run) {
        const std::string name = Backup(numbers[run - 1]);
        if (run <= 2) {
            EXPECT_FALSE(Exists(name)) << name;
        } else {
            EXPECT_EQ(FileBytes(name), autosaves[run - 1]) << name;
        }
    }
    EXPECT_TRUE(std::filesystem::is_directory(PathOf(Backup(3))));
}

// An autosave that can be neither restored nor kept aside must not be overwritten: the user
// hears why, and the autosave stays off.
TEST_F(StartTest, AnAutosaveThatCannotBeKeptAsideStopsTheAutosave) {
    const Bytes earlier = StoredMapBytes(1, 3);
    CrashedEditorLeft(earlier);
    std::filesystem::permissions(m_folder.Path(), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    const bool unwritable = ::access(m_folder.Path().c_str(), W_OK) != 0;
    if (unwritable) {
        m_yesNoAnswers = {false};
        EXPECT_FALSE(m_document.Start({}));
        ASSERT_EQ(m_errors.size(), 1u);
        EXPECT_EQ(m_errors[0].rfind(std::string(texts::kBackupFailed) + "Temp.map", 0), 0u) << m_errors[0];
        EXPECT_EQ(FileBytes("Temp.map"), earlier);
        EXPECT_TRUE(MapData().Tiles.empty());
    }
    std::filesystem::permissions(m_folder.Path(), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    if (!unwritable) {
        GTEST_SKIP() << "this user writes into folders without write permission";
    }
}

TEST_F(StartTest, ACommandLineMapOpensAfterTheCataloguesOrFailsLikeOpen) {
    WriteBytes("start.map", StoredMapBytes(1, 4));
    EXPECT_TRUE(m_document.Start(PathOf("start.map")));
    EXPECT_EQ(MapData().Tiles.size(), 4u);
    EXPECT_EQ(m_session.MapFileName, PathOf("start.map"));
    EXPECT_FALSE(m_session.History.Modified());
    EXPECT_TRUE(m_questions.empty());

    EXPECT_TRUE(m_document.Start(PathOf("absent.map")));
    ASSERT_EQ(m_errors.size(), 1u);
    EXPECT_NE(m_errors[0].find(PathOf("absent.map")), std::string::npos);
    EXPECT_TRUE(m_session.MapFileName.empty());
    EXPECT_EQ(MapData().Header.SizeX, 4);
}

// A restored autosave is a changed map: the command line's map replaces it only when the user
// lets it go.
TEST_F(StartTest, ARestoredAutosaveIsOnlyReplacedByTheCommandLineMapWhenLetGo) {
    const Bytes earlier = StoredMapBytes(1, 3);
    WriteBytes("start.map", StoredMapBytes(1, 4));
    for (const TSaveAnswer answer : {TSaveAnswer::Cancel, TSaveAnswer::Discard}) {
        CrashedEditorLeft(earlier);
        m_questions.clear();
        m_yesNoAnswers = {true};
        m_saveAnswers = {answer};
        TMapDocument document(m_session, m_services, m_window);
        EXPECT_TRUE(document.Start(PathOf("start.map")));
        EXPECT_EQ(m_questions, (std::vector<std::string>{texts::kRestoreQuestion, texts::kUnsavedQuestion}));
        if (answer == TSaveAnswer::Cancel) {
            EXPECT_EQ(MapBytes(), earlier);
            EXPECT_TRUE(m_session.MapFileName.empty());
        } else {
            EXPECT_EQ(MapData().Tiles.size(), 4u);
            EXPECT_EQ(m_session.MapFileName, PathOf("start.map"));
        }
    }
}

}  // namespace
}  // namespace editor
