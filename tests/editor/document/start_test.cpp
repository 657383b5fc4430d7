#include "tests/editor/document/map_document_fixture.h"

#include "editor/document/editor_texts.h"

#include <filesystem>

namespace editor {
namespace {

using StartTest = MapDocumentTest;

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
}

// The program ends, but the empty map is made all the same; nothing is offered, opened or
// renamed, and the autosave never runs.
TEST_F(StartTest, CataloguesThatFailEndTheProgramWithTheStartupMessage) {
    const Bytes earlier = StoredMapBytes(1, 3);
    WriteBytes("Temp.map", earlier);
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
    EXPECT_FALSE(std::filesystem::exists(PathOf("Temp.bak.map")));
}

TEST_F(StartTest, AnAutosaveOfAnEarlierRunIsOfferedOrKeptAside) {
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
        std::filesystem::remove(PathOf("Temp.bak.map"));
        WriteBytes("Temp.map", c.temp);
        m_questions.clear();
        m_errors.clear();
        m_yesNoAnswers = {c.restore};
        const int replacements = m_window.Replacements;
        EXPECT_TRUE(m_document.Start({})) << c.name;
        EXPECT_EQ(m_questions, std::vector<std::string>{texts::kRestoreQuestion}) << c.name;
        if (c.restored) {
            EXPECT_EQ(MapBytes(), earlier);
            EXPECT_TRUE(m_session.MapFileName.empty());
            EXPECT_TRUE(m_session.History.Modified());
            EXPECT_EQ(m_window.Replacements, replacements + 2) << "the window shows the empty map, then the restored one";
            EXPECT_FALSE(std::filesystem::exists(PathOf("Temp.bak.map")));
            EXPECT_TRUE(m_errors.empty());
        } else {
            EXPECT_EQ(MapData().Tiles.size(), 0u) << c.name;
            EXPECT_FALSE(m_session.History.Modified()) << c.name;
            EXPECT_EQ(FileBytes("Temp.bak.map"), c.temp) << c.name;
            EXPECT_EQ(m_errors.size(), c.restore ? 1u : 0u) << c.name;
            m_document.Autosave();
            EXPECT_EQ(FileBytes("Temp.map"), MapBytes()) << c.name;
            EXPECT_EQ(FileBytes("Temp.bak.map"), c.temp) << c.name;
        }
    }
}

// An autosave that can be neither restored nor kept aside must not be overwritten: the user
// hears why, and the autosave stays off.
TEST_F(StartTest, AnAutosaveThatCannotBeKeptAsideStopsTheAutosave) {
    const Bytes earlier = StoredMapBytes(1, 3);
    WriteBytes("Temp.map", earlier);
    std::filesystem::create_directories(PathOf("Temp.bak.map/taken"));
    m_yesNoAnswers = {false};
    EXPECT_FALSE(m_document.Start({}));
    ASSERT_EQ(m_errors.size(), 1u);
    EXPECT_EQ(m_errors[0].rfind(texts::kBackupFailed, 0), 0u) << m_errors[0];
    EXPECT_EQ(FileBytes("Temp.map"), earlier);
    EXPECT_TRUE(MapData().Tiles.empty());
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
        WriteBytes("Temp.map", earlier);
        m_questions.clear();
        m_yesNoAnswers = {true};
        m_saveAnswers = {answer};
        EXPECT_TRUE(m_document.Start(PathOf("start.map")));
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
