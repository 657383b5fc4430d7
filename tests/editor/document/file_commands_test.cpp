#include "tests/editor/document/map_document_fixture.h"

#include "editor/document/editor_texts.h"

#include <filesystem>
#include <functional>

namespace editor {
namespace {

using FileCommandsTest = MapDocumentTest;

TEST_F(FileCommandsTest, SaveOfANewMapAsksForANameAndWritesTheMapBytes) {
    ASSERT_TRUE(m_document.Start({}));
    EditMap(1);
    m_answers.push_back(std::nullopt);
    EXPECT_FALSE(m_document.SaveCommand());
    EXPECT_TRUE(m_session.MapFileName.empty());
    EXPECT_FALSE(std::filesystem::exists(PathOf("first.map")));
    EXPECT_TRUE(m_session.History.Modified());

    m_answers.push_back(PathOf("first.map"));
    EXPECT_TRUE(m_document.SaveCommand());
    EXPECT_EQ(m_session.MapFileName, PathOf("first.map"));
    EXPECT_EQ(FileBytes("first.map"), MapBytes());
    EXPECT_FALSE(m_session.History.Modified());
    const int fileStateChanges = m_window.FileStateChanges;

    EditMap(2);
    EXPECT_TRUE(m_document.SaveCommand());
    EXPECT_TRUE(m_answers.empty()) << "a named map saves without the dialog";
    EXPECT_EQ(FileBytes("first.map"), MapBytes());
    EXPECT_EQ(MapData().Tiles.size(), 2u);
    EXPECT_EQ(m_window.FileStateChanges, fileStateChanges + 1) << "the status line follows the save";
}

TEST_F(FileCommandsTest, SaveAsRenamesAndNewForgetsTheName) {
    ASSERT_TRUE(m_document.Start({}));
    m_answers.push_back(PathOf("other.map"));
    EXPECT_TRUE(m_document.SaveAsCommand());
    EXPECT_EQ(m_session.MapFileName, PathOf("other.map"));
    EXPECT_EQ(FileBytes("other.map").size(), 28u);

    EditMap(0);
    m_session.Camera.PanX = 5;
    const int replacements = m_window.Replacements;
    m_document.NewMapCommand();
    EXPECT_TRUE(m_session.MapFileName.empty());
    EXPECT_TRUE(MapData().Tiles.empty());
    EXPECT_FLOAT_EQ(m_session.Camera.PanX, -2);
    EXPECT_FALSE(m_session.History.Modified());
    EXPECT_EQ(m_window.Replacements, replacements + 1);
}

// A save that fails (a folder that is not there, a full disk) leaves the map its old name, so
// the next "Сохранить" writes where the map was saved before, not to a file that was never made.
TEST_F(FileCommandsTest, AFailedSaveAsKeepsTheOldName) {
    ASSERT_TRUE(m_document.Start({}));
    EditMap(1);
    m_answers.push_back(PathOf("no-such-folder/x.map"));
    EXPECT_FALSE(m_document.SaveAsCommand());
    EXPECT_EQ(m_errors.size(), 1u);
    EXPECT_TRUE(m_session.MapFileName.empty());
    EXPECT_TRUE(m_session.History.Modified()) << "nothing was saved";
    EXPECT_GE(m_window.FileStateChanges, 1);

    m_answers.push_back(PathOf("x.map"));
    EXPECT_TRUE(m_document.SaveAsCommand());
    m_answers.push_back(PathOf("no-such-folder/y.map"));
    EditMap(2);
    EXPECT_FALSE(m_document.SaveAsCommand());
    EXPECT_EQ(m_session.MapFileName, PathOf("x.map"));
    EXPECT_TRUE(m_document.SaveCommand());
    EXPECT_TRUE(m_answers.empty());
    EXPECT_EQ(m_errors.size(), 2u);
    EXPECT_EQ(FileBytes("x.map"), MapBytes());
}

// Saving writes the exact name given: "MyMap.map" beside "mymap.map" is a file of its own. A map
// opened through the case-insensitive look-up is saved back to the file it was read from.
TEST_F(FileCommandsTest, NamesThatDifferOnlyInCaseAreTwoFiles) {
    WriteBytes("mymap.map", StoredMapBytes(1, 2));
    ASSERT_TRUE(m_document.Start({}));
    EXPECT_TRUE(m_document.OpenMapFile(PathOf("MYMAP.MAP")));
    EXPECT_EQ(m_session.MapFileName, PathOf("mymap.map"));
    EditMap(4);
    EXPECT_TRUE(m_document.SaveCommand());
    const Bytes saved = MapBytes();
    EXPECT_EQ(FileBytes("mymap.map"), saved);
    EXPECT_FALSE(Exists("MYMAP.MAP"));

    EditMap(5);
    m_answers.push_back(PathOf("MyMap.map"));
    EXPECT_TRUE(m_document.SaveAsCommand());
    EXPECT_EQ(FileBytes("MyMap.map"), MapBytes());
    EXPECT_EQ(FileBytes("mymap.map"), saved);
}

// The described editor loads such a map and only its base texture fails: it opens with every
// record, and the user hears which surface is missing.
TEST_F(FileCommandsTest, AMapOnABaseSurfaceBeyondTheCatalogueOpensWithAllItsRecords) {
    ASSERT_TRUE(m_document.Start({}));
    Bytes stored = StoredMapBytes(0, 3);
    stored[2] = 9;
    WriteBytes("surface.map", stored);
    m_answers.push_back(PathOf("surface.map"));
    m_document.OpenCommand();
    EXPECT_EQ(MapBytes(), stored);
    EXPECT_EQ(m_session.MapFileName, PathOf("surface.map"));
    EXPECT_FALSE(m_session.History.Modified());
    EXPECT_TRUE(m_errors.empty());
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_NE(m_messages[0].find(PathOf("surface.map")), std::string::npos) << m_messages[0];
    EXPECT_NE(m_messages[0].find(" 9,"), std::string::npos) << m_messages[0];
    EXPECT_TRUE(m_document.SaveCommand());
    EXPECT_EQ(FileBytes("surface.map"), stored);
}

TEST_F(FileCommandsTest, FailedOpenNamesFileAndReasonAndLeavesEverythingAsItWas) {
    ASSERT_TRUE(m_document.Start({}));
    WriteBytes("good.map", StoredMapBytes(1, 2));
    m_answers.push_back(PathOf("good.map"));
    m_document.OpenCommand();
    ASSERT_EQ(m_session.MapFileName, PathOf("good.map"));
    const Bytes before = MapBytes();
    const int replacements = m_window.Replacements;

    Bytes truncated = StoredMapBytes(0, 2);
    truncated.pop_back();
    Bytes wrongVersion = StoredMapBytes(0, 1);
    wrongVersion[22] = '2';
    WriteBytes("truncated.map", truncated);
    WriteBytes("v2.map", wrongVersion);
    const std::string text = "Это просто текст, а вовсе не карта местности.";
    WriteBytes("notes.map", Bytes(text.begin(), text.end()));
    WriteBytes("tiny.map", Bytes{'m', 'a', 'p'});
    std::filesystem::create_directory(PathOf("folder.map"));
    const struct {
        const char* file;
        const char* reason;
    } cases[] = {
        {"missing.map", texts::kOpenMissing},
        {"folder.map", texts::kOpenFolder},
        {"truncated.map", "Read beyond end of file"},
        {"v2.map", "\"v2_"},
        {"notes.map", texts::kOpenNotAMap},
        {"tiny.map", texts::kOpenNotAMap},
    };
    for (const auto& c : cases) {
        m_errors.clear();
        m_answers.push_back(PathOf(c.file));
        m_document.OpenCommand();
        ASSERT_EQ(m_errors.size(), 1u) << c.file;
        EXPECT_NE(m_errors[0].find(PathOf(c.file)), std::string::npos) << m_errors[0];
        EXPECT_NE(m_errors[0].find(c.reason), std::string::npos) << m_errors[0];
        EXPECT_EQ(MapBytes(), before) << c.file;
        EXPECT_EQ(m_session.MapFileName, PathOf("good.map")) << c.file;
        EXPECT_EQ(m_window.Replacements, replacements) << c.file << ": the window keeps its map and base texture";
    }
    EXPECT_TRUE(m_questions.empty()) << "the map never changed";

    EditMap(3);
    EXPECT_TRUE(m_document.SaveCommand());
    EXPECT_EQ(FileBytes("good.map"), MapBytes());
    EXPECT_FALSE(std::filesystem::exists(PathOf("missing.map")));
    EXPECT_EQ(FileBytes("v2.map"), wrongVersion);
}

// "Создать" and "Открыть" ask first, when and only when the map changed; "Сохранить" on an
// unnamed map goes through the save dialog, whose cancel cancels the command.
TEST_F(FileCommandsTest, EveryReplacementOfAChangedMapAsksToSaveItFirst) {
    WriteBytes("other.map", StoredMapBytes(0, 5));
    const struct {
        const char* name;
        std::function<void(TMapDocument&)> act;
    } commands[] = {
        {"new", [](TMapDocument& document) { document.NewMapCommand(); }},
        {"open", [](TMapDocument& document) { document.OpenCommand(); }},
    };
    enum class Case { Unchanged, Save, SaveDialogCancelled, Discard, Cancel };
    for (const auto& command : commands) {
        for (Case c : {Case::Unchanged, Case::Save, Case::SaveDialogCancelled, Case::Discard, Case::Cancel}) {
            const std::string label = std::string(command.name) + " " + std::to_string(static_cast<int>(c));
            std::filesystem::remove(PathOf("saved.map"));
            ASSERT_TRUE(m_document.Start({}));
            EditMap(4);
            if (c == Case::Unchanged) {
                m_session.History.MarkSaved();
            }
            const Bytes edited = MapBytes();
            m_questions.clear();
            m_saveAnswers = {c == Case::Cancel    ? TSaveAnswer::Cancel
                             : c == Case::Discard ? TSaveAnswer::Discard
                                                  : TSaveAnswer::Save};
            m_answers.clear();
            if (c == Case::Save) {
                m_answers.push_back(PathOf("saved.map"));
            } else if (c == Case::SaveDialogCancelled) {
                m_answers.push_back(std::nullopt);
            }
            m_answers.push_back(PathOf("other.map"));
            command.act(m_document);

            const bool proceeds = c == Case::Unchanged || c == Case::Save || c == Case::Discard;
            EXPECT_EQ(m_questions.size(), c == Case::Unchanged ? 0u : 1u) << label;
            const std::size_t tilesAfter = command.name == std::string("new") ? 0u : 5u;
            EXPECT_EQ(MapData().Tiles.size(), proceeds ? tilesAfter : 1u) << label;
            if (!proceeds) {
                EXPECT_EQ(MapBytes(), edited) << label;
            }
            EXPECT_EQ(std::filesystem::exists(PathOf("saved.map")), c == Case::Save) << label;
            if (c == Case::Save) {
                EXPECT_EQ(FileBytes("saved.map"), edited) << label;
            }
        }
    }
}

TEST_F(FileCommandsTest, AutosaveWritesTheMapToTempMapWhateverItsName) {
    ASSERT_TRUE(m_document.Start({}));
    EditMap(3);
    m_answers.push_back(PathOf("named.map"));
    ASSERT_TRUE(m_document.SaveAsCommand());
    EditMap(2);

    m_document.Autosave();
    EXPECT_EQ(FileBytes("Temp.map"), MapBytes());
    EXPECT_NE(FileBytes("named.map"), MapBytes());
    EXPECT_EQ(m_session.MapFileName, PathOf("named.map"));
    EXPECT_TRUE(m_session.History.Modified()) << "the autosave is no save of the map's file";

    m_document.Autosave();
    EXPECT_EQ(FileBytes("Temp.map"), MapBytes()) << "unchanged, the map is written again";
    EXPECT_TRUE(m_errors.empty());
}

// Each tick that cannot write shows the error box, but while one box waits for the user (and
// the timer ticks on inside its event loop) no second box opens behind it.
TEST_F(FileCommandsTest, AutosaveThatCannotWriteShowsOneErrorBoxAtATime) {
    ASSERT_TRUE(m_document.Start({}));
    std::filesystem::create_directory(PathOf("Temp.map"));
    m_document.Autosave();
    EXPECT_EQ(m_errors.size(), 1u);
    m_document.Autosave();
    EXPECT_EQ(m_errors.size(), 2u);

    m_services.ShowError = [this](const std::string& text) {
        m_errors.push_back(text);
        m_document.Autosave();
        m_document.Autosave();
    };
    m_document.Autosave();
    EXPECT_EQ(m_errors.size(), 3u);
    m_document.Autosave();
    EXPECT_EQ(m_errors.size(), 4u) << "the next tick after the box closed reports again";
}

}  // namespace
}  // namespace editor
