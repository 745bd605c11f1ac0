// The tool bars keep every button and the memory box in sight at any width.
#include "main_window_fixture.h"
#include "modal.h"

#include <QCoreApplication>
#include <QToolBar>

namespace {

class ToolBars : public guitest::MainWindowFixture {
protected:
    void resizeTo(int width) {
        window->resize(width, 600);
        QCoreApplication::processEvents();
    }
    // No button behind a bar's overflow chevron: each one shown, inside its bar,
    // in the bar's order.
    void expectEverythingInSight() {
        for (QToolBar* bar : window->findChildren<QToolBar*>()) {
            if (window->toolBarArea(bar) != Qt::TopToolBarArea)
                continue;
            int left = -1;
            for (QAction* action : bar->actions()) {
                const QWidget* item = bar->widgetForAction(action);
                ASSERT_NE(item, nullptr);
                const std::string name = bar->objectName().toStdString() + " " + action->text().toStdString();
                EXPECT_TRUE(item->isVisible()) << name;
                EXPECT_TRUE(bar->rect().contains(item->geometry())) << name;
                EXPECT_GT(item->x(), left) << name;
                left = item->x();
            }
        }
    }
};

TEST_F(ToolBars, EveryButtonAndTheMemoryBoxStayInSightDownToTheMinimumWidth) {
    openWindow();
    resizeTo(800);
    guitest::saveShot(window.get(), "main-window-800");
    resizeTo(window->minimumWidth());
    ASSERT_EQ(window->width(), 640);
    expectEverythingInSight();
    // Bars that gain buttons (undo and redo at the start of one) still show them all.
    auto* videowall = window->findChild<QToolBar*>("VideowallBAR");
    const QList<QAction*> before = videowall->actions();
    const QIcon glyph = before.front()->icon();
    videowall->insertAction(before.front(), new QAction(glyph, QStringLiteral("Undo"), videowall));
    videowall->insertAction(before.front(), new QAction(glyph, QStringLiteral("Redo"), videowall));
    window->findChild<QToolBar*>("ToolsBAR")->addAction(glyph, QStringLiteral("Serial traffic"));
    QCoreApplication::processEvents();
    expectEverythingInSight();
    guitest::saveShot(window.get(), "main-window-640-more-buttons");
    resizeTo(1400);
    expectEverythingInSight();
}

} // namespace
