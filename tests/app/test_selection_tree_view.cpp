// The selection tree's view: what it draws, where a press lands, and what it hands the model.
#define QTEST_QPA_MOUSE_HANDLING
#include "app/check_icons.h"
#include "app/introduction_view.h"
#include "app/selection_tree_view.h"
#include "app/startup_state.h"
#include "catalogue/tree_outline.h"
#include "engine/product_code.h"
#include "views_fixture.h"

#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace tavo;
using app::SelectionTreeView;
using test::TreeOutline;

class TreeView : public ::testing::Test {
  protected:
    // The tree in a window with an introduction view, filled from an outline (see TreeOutline).
    void Load(std::string_view outline, bool rightToLeft = false) {
        app::Startup().rightToLeft = rightToLeft;
        introduction =
            std::make_unique<app::CIntroductionView>(app::Rect{0, 300, 400, 340}, &window.window());
        view = std::make_unique<SelectionTreeView>(kProductDvr, &window.window());
        view->setGeometry(10, 10, 300, 250);
        items = std::make_unique<TreeOutline>(view->Model(), outline);
        view->ItemsLoaded();
        ASSERT_TRUE(window.Show());
    }
    void Click(const char* name, HitPart part) {
        // The row beyond the label.
        const QRect label = view->PartRect((*items)[name], HitPart::Label);
        const QPoint point = part == HitPart::Row ? QPoint(label.right() + 10, label.center().y())
                                                  : view->PartRect((*items)[name], part).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, point);
    }
    // The picture drawn where an item's check image goes.
    QImage DrawnImage(const char* name) {
        const QRect rect = view->PartRect((*items)[name], HitPart::Image);
        return view->viewport()->grab(rect).toImage().convertToFormat(QImage::Format_ARGB32);
    }
    static QImage Icon(int resource) {
        QImage icon(16, 16, QImage::Format_ARGB32);
        icon.fill(QColor(Qt::white));
        QPainter painter(&icon);
        painter.drawPixmap(0, 0, app::CheckIcon(resource));
        return icon;
    }

    test::ViewsWindow window;
    std::unique_ptr<app::CIntroductionView> introduction;
    std::unique_ptr<SelectionTreeView> view;
    std::unique_ptr<TreeOutline> items;
};

TEST_F(TreeView, EachItemIsDrawnWithTheCheckImageOfItsState) {
    Load("A 0\nB 1\nC 2\nD 3\n");
    view->viewport()->setStyleSheet(QStringLiteral("background: white"));
    const std::pair<const char*, int> expected[] = {{"A", 131}, {"B", 132}, {"C", 133}, {"D", 134}};
    for (const auto& [name, resource] : expected)
        EXPECT_EQ(DrawnImage(name), Icon(resource)) << name;
}

TEST_F(TreeView, ImageClicksToggleAndFiveClearsDisableNextUntilOneIsCheckedAgain) {
    Load("I1 1\nI2 1\nI3 1\nI4 1\nI5 1\n");
    QSignalSpy next(view.get(), &SelectionTreeView::nextEnabled);
    for (const char* name : {"I1", "I2", "I3", "I4"})
        Click(name, HitPart::Image);
    EXPECT_EQ(next.count(), 0);
    Click("I5", HitPart::Image);
    ASSERT_EQ(next.count(), 1);
    EXPECT_FALSE(next.at(0).at(0).toBool());
    EXPECT_EQ(items->Images(), "I10 I20 I30 I40 I50");
    Click("I3", HitPart::Image);
    ASSERT_EQ(next.count(), 2);
    EXPECT_TRUE(next.at(1).at(0).toBool());
    EXPECT_EQ(view->Model().SelectionCounter(), 1);
    // An image click selects the item and shows its description.
    EXPECT_EQ(view->Caret(), (*items)["I3"]);
    EXPECT_EQ(introduction->Text(), "I3");
}

TEST_F(TreeView, ALabelClickOnAnotherItemOnlySelectsItAndASecondOneTogglesWithoutCounting) {
    Load("A 1\nB 0\n");
    QSignalSpy next(view.get(), &SelectionTreeView::nextEnabled);
    Click("B", HitPart::Label);
    EXPECT_EQ(view->Caret(), (*items)["B"]);
    EXPECT_EQ(introduction->Text(), "B");
    EXPECT_EQ(items->Images(), "A1 B0");
    Click("B", HitPart::Label);
    EXPECT_EQ(items->Images(), "A1 B1");
    EXPECT_EQ(next.count(), 0);
    EXPECT_EQ(view->Model().SelectionCounter(), 2);
}

TEST_F(TreeView, TheExpandButtonOpensAndClosesWithoutDescriptionOrToggle) {
    Load("P 1\n  C 1\nQ 0\n");
    const QRect before = view->PartRect((*items)["Q"], HitPart::Image);
    Click("P", HitPart::ExpandButton);
    EXPECT_TRUE(view->PartRect((*items)["C"], HitPart::Image).isNull());
    EXPECT_LT(view->PartRect((*items)["Q"], HitPart::Image).top(), before.top());
    EXPECT_EQ(introduction->Text(), "");
    EXPECT_EQ(items->Images(), "P1 C1 Q0");
    Click("P", HitPart::ExpandButton);
    EXPECT_FALSE(view->PartRect((*items)["C"], HitPart::Image).isNull());
    // Outside every row there is no item.
    EXPECT_EQ(view->HitTest(QPoint(5, 240)).first, kNoItem);
}

TEST_F(TreeView, ADoubleClickOnTheImageTogglesTwice) {
    Load("A 0\n");
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {},
                       view->PartRect((*items)["A"], HitPart::Image).center());
    EXPECT_EQ(items->Images(), "A0");
    EXPECT_EQ(view->Model().SelectionCounter(), 1);
}

TEST_F(TreeView, AKeyShowsTheDescriptionOfTheItemSelectedBeforeIt) {
    Load("A 0\nB 0\n");
    Click("A", HitPart::Row);
    introduction->SetText("");
    view->setFocus();
    QTest::keyClick(view.get(), Qt::Key_Down);
    EXPECT_EQ(introduction->Text(), "A");
    EXPECT_EQ(view->Caret(), (*items)["B"]);
}

TEST_F(TreeView, RightToLeftMirrorsTheRowsAndTheCheckMarks) {
    Load("A 1\n  B 3\n", true);
    EXPECT_EQ(view->layoutDirection(), Qt::RightToLeft);
    const QRect image = view->PartRect((*items)["A"], HitPart::Image);
    EXPECT_EQ(view->viewport()->width() - 1 - image.right(), app::TreeRowMetrics::kIndent);
    EXPECT_EQ(view->HitTest(image.center()).second, HitPart::Image);
    Click("A", HitPart::Image);
    EXPECT_EQ(items->Images(), "A0 B3");
    for (const auto& [mirrored, plain] : {std::pair{143, 132}, std::pair{142, 134}})
        EXPECT_EQ(Icon(mirrored), Icon(plain).mirrored(true, false)) << mirrored;
    view->viewport()->setStyleSheet(QStringLiteral("background: white"));
    EXPECT_EQ(DrawnImage("B"), Icon(142));
}

} // namespace
