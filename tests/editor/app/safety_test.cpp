#include "tests/editor/app/editor_app_fixture.h"

#include "editor/data/map_file.h"
#include "platform/paths.h"

namespace editor {
namespace {

using SafetyTest = EditorAppTest;

// Each of the three ways to close the window asks the document first, when and only when the map
// changed; "Сохранить" on an unnamed map goes through the save dialog, whose cancel cancels the
// closing. "Создать" and "Открыть" ask the same question in tests/editor/document.
TEST_F(SafetyTest, EveryWayToCloseTheWindowAsksToSaveChanges) {
    const struct {
        const char* name;
        std::function<void(TfrmGL&)> act;
        std::function<bool()> done;
    } actions[] = {
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
            const std::vector<std::uint8_t> edited = EncodeMap(MapData());
            m_saveAnswers = {c == Case::Cancel    ? TSaveAnswer::Cancel
                             : c == Case::Discard ? TSaveAnswer::Discard
                                                  : TSaveAnswer::Save};
            if (c == Case::Save) {
                m_answers.push_back(PathOf("saved.map"));
            } else if (c == Case::SaveDialogCancelled) {
                m_answers.push_back(std::nullopt);
            }
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

// The window hands its command line's map to the document once the catalogues are loaded, so
// the base texture is the map's; a map that fails to open is tested with the document.
TEST_F(SafetyTest, ACommandLineMapOpensAfterTheCatalogues) {
    TMap stored;
    stored.SetSurface(1);
    for (std::uint8_t x = 0; x < 4; ++x) {
        stored.AddTile(1, x, 2);
    }
    stored.SaveMap(PathOf("start.map"));
    StartEditor(PathOf("start.map"));
    EXPECT_EQ(MapData().Tiles.size(), 4u);
    EXPECT_EQ(Session().MapFileName, PathOf("start.map"));
    EXPECT_EQ(Session().BaseTextureSurface, 1);
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
