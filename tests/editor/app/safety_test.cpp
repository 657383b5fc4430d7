#include "tests/editor/app/editor_app_fixture.h"

#include "editor/data/map_file.h"
#include "platform/paths.h"

#include <QLabel>

namespace editor {
namespace {

using SafetyTest = EditorAppTest;
using Bytes = std::vector<std::uint8_t>;

void WriteBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

Bytes StoredMapBytes(std::uint8_t surface, int tiles) {
    TMap map;
    map.SetSize(7, 6);
    map.SetSurface(surface);
    for (int i = 0; i < tiles; ++i) {
        map.AddTile(1, static_cast<std::uint8_t>(i), 2);
    }
    return EncodeMap(map.Data());
}

TEST_F(SafetyTest, FailedOpenNamesFileAndReasonAndLeavesEverythingAsItWas) {
    StartEditor();
    WriteBytes(PathOf("good.map"), StoredMapBytes(1, 2));
    m_answers.push_back(PathOf("good.map"));
    m_window->Menu().N7->trigger();
    ASSERT_EQ(Session().MapFileName, PathOf("good.map"));
    const Bytes before = EncodeMap(MapData());
    const std::uint32_t baseTexture = Session().BaseTexture;

    Bytes truncated = StoredMapBytes(0, 2);
    truncated.pop_back();
    Bytes wrongVersion = StoredMapBytes(0, 1);
    wrongVersion[22] = '2';
    Bytes unknownSurface = StoredMapBytes(0, 1);
    unknownSurface[2] = 9;
    WriteBytes(PathOf("truncated.map"), truncated);
    WriteBytes(PathOf("v2.map"), wrongVersion);
    WriteBytes(PathOf("surface.map"), unknownSurface);
    WriteBytes(PathOf("notes.map"), test_data::Bytes("Это просто текст, а вовсе не карта местности."));
    WriteBytes(PathOf("tiny.map"), test_data::Bytes("map"));
    std::filesystem::create_directory(m_folder / "folder.map");
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
        {"surface.map", texts::kOpenUnknownSurface},
    };
    for (const auto& c : cases) {
        m_errors.clear();
        m_answers.push_back(PathOf(c.file));
        m_window->Menu().N7->trigger();
        ASSERT_EQ(m_errors.size(), 1u) << c.file;
        EXPECT_NE(m_errors[0].find(PathOf(c.file)), std::string::npos) << m_errors[0];
        EXPECT_NE(m_errors[0].find(c.reason), std::string::npos) << m_errors[0];
        EXPECT_EQ(EncodeMap(MapData()), before) << c.file;
        EXPECT_EQ(Session().MapFileName, PathOf("good.map")) << c.file;
        EXPECT_EQ(Session().BaseTexture, baseTexture) << c.file;
    }
    EXPECT_TRUE(m_questions.empty()) << "the map on screen never changed";

    LeftClickAt(CellCentre(3, 3));
    m_window->Menu().N8->trigger();
    EXPECT_EQ(platform::ReadWholeFile(PathOf("good.map")), EncodeMap(MapData()));
    EXPECT_FALSE(std::filesystem::exists(PathOf("missing.map")));
    EXPECT_EQ(platform::ReadWholeFile(PathOf("v2.map")), wrongVersion);
}

TEST_F(SafetyTest, AnAutosaveOfAnEarlierRunIsOfferedOrKeptAside) {
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
        std::filesystem::remove(m_folder / "Temp.bak.map");
        WriteBytes(PathOf("Temp.map"), c.temp);
        m_questions.clear();
        m_errors.clear();
        m_yesNoAnswers = {c.restore};
        StartEditor();
        EXPECT_EQ(m_questions, std::vector<std::string>{texts::kRestoreQuestion}) << c.name;
        EXPECT_TRUE(m_window->AutosaveTimer().isActive()) << c.name;
        if (c.restored) {
            EXPECT_EQ(EncodeMap(MapData()), earlier);
            EXPECT_TRUE(Session().MapFileName.empty());
            EXPECT_TRUE(Session().History.Modified());
            EXPECT_TRUE(m_window->StatusLine().text().endsWith("*"));
            EXPECT_FALSE(std::filesystem::exists(m_folder / "Temp.bak.map"));
            EXPECT_TRUE(m_errors.empty());
        } else {
            EXPECT_EQ(MapData().Tiles.size(), 0u) << c.name;
            EXPECT_FALSE(Session().History.Modified()) << c.name;
            EXPECT_EQ(platform::ReadWholeFile(PathOf("Temp.bak.map")), c.temp) << c.name;
            EXPECT_EQ(m_errors.size(), c.restore ? 1u : 0u) << c.name;
            m_window->Timer1Timer();
            EXPECT_EQ(platform::ReadWholeFile(PathOf("Temp.map")), EncodeMap(MapData())) << c.name;
            EXPECT_EQ(platform::ReadWholeFile(PathOf("Temp.bak.map")), c.temp) << c.name;
        }
        m_window.reset();
    }
}

// Each of the five ways to lose the map asks first, when and only when it changed; "Сохранить"
// on an unnamed map goes through the save dialog, whose cancel cancels the action.
TEST_F(SafetyTest, EveryActionThatReplacesTheMapAsksToSaveChanges) {
    WriteBytes(PathOf("other.map"), StoredMapBytes(0, 5));
    const struct {
        const char* name;
        std::function<void(TfrmGL&)> act;
        std::function<bool()> done;
    } actions[] = {
        {"new", [](TfrmGL& w) { w.Menu().N6->trigger(); }, [this] { return MapData().Tiles.empty(); }},
        {"open", [](TfrmGL& w) { w.Menu().N7->trigger(); },
         [this] { return MapData().Tiles.size() == 5; }},
        {"exit", [](TfrmGL& w) { w.Menu().N10->trigger(); }, [this] { return !m_window->isVisible(); }},
        {"escape", [](TfrmGL& w) { QTest::keyClick(&w, Qt::Key_Escape); },
         [this] { return !m_window->isVisible(); }},
        {"close", [](TfrmGL& w) { w.close(); }, [this] { return !m_window->isVisible(); }},
    };
    enum class Case { Unchanged, Save, SaveDialogCancelled, Discard, Cancel };
    for (const auto& action : actions) {
        for (Case c : {Case::Unchanged, Case::Save, Case::SaveDialogCancelled, Case::Discard, Case::Cancel}) {
            const std::string label = std::string(action.name) + " " + std::to_string(static_cast<int>(c));
            std::filesystem::remove(m_folder / "saved.map");
            m_questions.clear();
            StartEditor();
            if (c != Case::Unchanged) {
                LeftClickAt(CellCentre(1, 1));
            }
            const Bytes edited = EncodeMap(MapData());
            m_saveAnswers = {c == Case::Cancel    ? TSaveAnswer::Cancel
                             : c == Case::Discard ? TSaveAnswer::Discard
                                                  : TSaveAnswer::Save};
            if (c == Case::Save) {
                m_answers.push_back(PathOf("saved.map"));
            } else if (c == Case::SaveDialogCancelled) {
                m_answers.push_back(std::nullopt);
            }
            m_answers.push_back(PathOf("other.map"));
            action.act(*m_window);

            const bool proceeds = c == Case::Unchanged || c == Case::Save || c == Case::Discard;
            EXPECT_EQ(m_questions.size(), c == Case::Unchanged ? 0u : 1u) << label;
            EXPECT_EQ(action.done(), proceeds) << label;
            if (!proceeds) {
                EXPECT_EQ(EncodeMap(MapData()), edited) << label;
            }
            EXPECT_EQ(std::filesystem::exists(m_folder / "saved.map"), c == Case::Save) << label;
            if (c == Case::Save) {
                EXPECT_EQ(platform::ReadWholeFile(PathOf("saved.map")), edited) << label;
            }
            m_answers.clear();
            m_window.reset();
        }
    }
}

TEST_F(SafetyTest, ACommandLineMapOpensAfterTheCataloguesOrFailsLikeOpen) {
    WriteBytes(PathOf("start.map"), StoredMapBytes(1, 4));
    StartEditor(PathOf("start.map"));
    EXPECT_EQ(MapData().Tiles.size(), 4u);
    EXPECT_EQ(Session().MapFileName, PathOf("start.map"));
    EXPECT_EQ(Session().BaseTextureSurface, 1);
    m_window.reset();

    StartEditor(PathOf("absent.map"));
    ASSERT_EQ(m_errors.size(), 1u);
    EXPECT_NE(m_errors[0].find(PathOf("absent.map")), std::string::npos);
    EXPECT_TRUE(Session().MapFileName.empty());
    EXPECT_EQ(MapData().Header.SizeX, 4);
}

TEST_F(SafetyTest, TheClosedPaletteComesBackWithF2BesideTheMainWindow) {
    StartEditor();
    TFormTools& palette = m_window->Tools();
    EXPECT_FALSE(palette.frameGeometry().intersects(m_window->frameGeometry()));
    palette.close();
    EXPECT_FALSE(palette.isVisible());
    m_window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    QTest::keyClick(m_window.get(), Qt::Key_F2);
    EXPECT_TRUE(palette.isVisible());
}

}  // namespace
}  // namespace editor
