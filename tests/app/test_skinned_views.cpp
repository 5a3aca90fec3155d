// The skinned buttons, the item buttons and the introduction view on the offscreen screen.
#define QTEST_QPA_MOUSE_HANDLING
#include "app/introduction_view.h"
#include "app/item_button.h"
#include "app/navigation_views.h"
#include "views_fixture.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace tavo::app;
using tavo::test::ViewsWindow;

// How many pixels of a widget's picture have this colour.
int CountColour(QWidget& widget, QColor colour) {
    const QImage image = widget.grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y).rgb() == colour.rgb();
    return count;
}

QColor CentreColour(QWidget& widget) {
    const QImage image = widget.grab().toImage();
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

QPoint Outside(const QWidget& widget) {
    return {widget.width() + 40, widget.height() + 40};
}

template <typename View> std::unique_ptr<View> MakeButton(ViewsWindow& window, const char* section) {
    const ButtonPlacement placement = ReadButtonPlacement(section);
    return std::make_unique<View>(placement.rect, &window.window(), placement.text);
}

TEST(SkinnedViews, TheDemoPackageDressesEveryViewWithItsPictures) {
    ViewsWindow window;
    window.InstallDemoPackage();
    auto exit = MakeButton<CExitView>(window, "Exit");
    auto back = MakeButton<CGoBackView>(window, "Back");
    auto next = MakeButton<CNextView>(window, "Next");
    ASSERT_TRUE(window.Show());
    for (CBtnView* view : {static_cast<CBtnView*>(exit.get()), static_cast<CBtnView*>(back.get()),
                           static_cast<CBtnView*>(next.get())})
        EXPECT_TRUE(view->BitmapStyle());
    EXPECT_TRUE(exit->isVisible());
    EXPECT_FALSE(back->isVisible() || next->isVisible());
    // Sized to the picture when first shown, at the configured place.
    EXPECT_EQ(exit->geometry(), QRect(515, 395, 72, 26));
    back->show();
    EXPECT_EQ(back->size(), QSize(72, 26));
    // The corners outside the rounded plate are see-through.
    EXPECT_EQ(CountColour(*exit, QColor(255, 0, 255)), 0);

    for (int item : {1, 2}) {
        CItemButton button(item, ReadItemButtonLayout(item), &window.window());
        for (int state = kItemNormal; state <= kItemPlay; ++state)
            EXPECT_TRUE(button.HasPicture(state)) << item << " " << state;
        EXPECT_TRUE(button.TooltipEnabled());
        EXPECT_FALSE(button.toolTip().isEmpty());
        EXPECT_EQ(button.size(), QSize(64, 64));
    }
}

TEST(SkinnedViews, AMissingBitmapGivesTheTextInTheNormalColourSizedToTheTextPlusTwo) {
    ViewsWindow window("[Exit]\r\nText=Quit\r\nBimapStyle=1\r\nBimapFile=Missing.bmp\r\n");
    auto exit = MakeButton<CExitView>(window, "Exit");
    ASSERT_TRUE(window.Show());
    EXPECT_FALSE(exit->BitmapStyle());
    const QFontMetrics metrics(exit->font());
    EXPECT_EQ(exit->size(),
              QSize(metrics.horizontalAdvance(QStringLiteral("Quit")) + 2, metrics.height() + 2));
    EXPECT_GT(CountColour(*exit, Qt::red), 0);
    EXPECT_EQ(CountColour(*exit, Qt::green), 0);
}

TEST(SkinnedViews, HoverTakesTheMouseResetsTheCaptionAndShowsTheIntroduction) {
    ViewsWindow window("[Exit]\r\nText=Quit\r\nText_Introduction=Leave the program\r\nOriginalX=50\r\n"
                       "OriginalY=50\r\n");
    CIntroductionView introduction(Rect{300, 10, 500, 100}, &window.window());
    auto exit = MakeButton<CExitView>(window, "Exit");
    ASSERT_TRUE(window.Show());
    window.window().setWindowTitle(QStringLiteral("Changed"));

    QTest::mouseMove(exit.get(), QPoint(3, 3));
    EXPECT_EQ(QWidget::mouseGrabber(), exit.get());
    EXPECT_TRUE(exit->State().Hover());
    EXPECT_EQ(introduction.Text(), "Leave the program");
    EXPECT_EQ(window.window().windowTitle(), QStringLiteral("Tavo"));
    EXPECT_GT(CountColour(*exit, Qt::green), 0);

    QTest::mouseMove(exit.get(), Outside(*exit));
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_FALSE(exit->State().Hover() || exit->State().Tracking());
    EXPECT_GT(CountColour(*exit, Qt::red), 0);
}

TEST(SkinnedViews, ExitActsOnlyOnAReleaseOverIt) {
    ViewsWindow window("[Exit]\r\nText=Quit\r\nOriginalX=50\r\nOriginalY=50\r\n");
    auto exit = MakeButton<CExitView>(window, "Exit");
    ASSERT_TRUE(window.Show());
    QSignalSpy clicked(exit.get(), &CBtnView::clicked);

    QTest::mousePress(exit.get(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_GT(CountColour(*exit, Qt::blue), 0);
    QTest::mouseMove(exit.get(), Outside(*exit));
    QTest::mouseRelease(exit.get(), Qt::LeftButton, {}, Outside(*exit));
    EXPECT_EQ(clicked.count(), 0);
    EXPECT_FALSE(exit->State().Pressed() || exit->State().Tracking());

    QTest::mouseClick(exit.get(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(clicked.count(), 1);
}

TEST(SkinnedViews, BackAndNextActOnAReleaseWhereverThePointerIs) {
    ViewsWindow window("[Back]\r\nText=Back\r\nOriginalX=50\r\nOriginalY=50\r\n"
                       "[Next]\r\nText=Next\r\nOriginalX=150\r\nOriginalY=50\r\n");
    auto back = MakeButton<CGoBackView>(window, "Back");
    auto next = MakeButton<CNextView>(window, "Next");
    ASSERT_TRUE(window.Show());
    for (CBtnView* view : {static_cast<CBtnView*>(back.get()), static_cast<CBtnView*>(next.get())}) {
        view->show();
        QSignalSpy clicked(view, &CBtnView::clicked);
        QTest::mouseMove(view, QPoint(3, 3));
        QTest::mousePress(view, Qt::LeftButton, {}, QPoint(3, 3));
        QTest::mouseMove(view, Outside(*view));
        // Pressed, the button keeps the mouse when the pointer leaves.
        EXPECT_EQ(QWidget::mouseGrabber(), view);
        QTest::mouseRelease(view, Qt::LeftButton, {}, Outside(*view));
        EXPECT_EQ(clicked.count(), 1);
        EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
        EXPECT_FALSE(view->State().Pressed() || view->State().Tracking() || view->State().Hover());
    }
}

TEST(SkinnedViews, ADisabledNextDrawsGreyAndTakesNoClicks) {
    ViewsWindow window("[Next]\r\nText=Next\r\nOriginalX=50\r\nOriginalY=50\r\n");
    auto next = MakeButton<CNextView>(window, "Next");
    ASSERT_TRUE(window.Show());
    next->show();
    next->setEnabled(false);
    QSignalSpy clicked(next.get(), &CBtnView::clicked);
    EXPECT_GT(CountColour(*next, QColor(192, 192, 192)), 0);
    EXPECT_EQ(CountColour(*next, Qt::red), 0);
    QTest::mouseClick(next.get(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(clicked.count(), 0);
    next->setEnabled(true);
    EXPECT_GT(CountColour(*next, Qt::red), 0);
}

TEST(SkinnedViews, BitmapButtonShowsItsStatePictures) {
    ViewsWindow window("[Exit]\r\nBimapStyle=1\r\nBimapFile=Skin\\ExitNormal.bmp\r\nOriginalX=50\r\n"
                       "OriginalY=50\r\n");
    window.Picture("Skin\\ExitNormal.bmp", 40, 20, 0xFF0000);
    window.Picture("Skin\\ExitFocus.bmp", 40, 20, 0x00FF00);
    window.Picture("Skin\\ExitDown.bmp", 40, 20, 0x0000FF);
    window.Picture("Skin\\ExitDisable.bmp", 40, 20, 0x808080);
    auto exit = MakeButton<CExitView>(window, "Exit");
    ASSERT_TRUE(window.Show());
    EXPECT_EQ(exit->size(), QSize(40, 20));
    EXPECT_EQ(CentreColour(*exit), QColor(Qt::red));
    QTest::mouseMove(exit.get(), QPoint(7, 7));
    EXPECT_EQ(CentreColour(*exit), QColor(Qt::green));
    QTest::mousePress(exit.get(), Qt::LeftButton, {}, QPoint(7, 7));
    EXPECT_EQ(CentreColour(*exit), QColor(Qt::blue));
    // Pressed, but the pointer is elsewhere.
    QTest::mouseMove(exit.get(), Outside(*exit));
    EXPECT_EQ(CentreColour(*exit), QColor(Qt::red));
    QTest::mouseRelease(exit.get(), Qt::LeftButton, {}, Outside(*exit));
    exit->setEnabled(false);
    EXPECT_EQ(CentreColour(*exit), QColor(0x80, 0x80, 0x80));
}

TEST(SkinnedViews, TheMaskColourIsSeeThrough) {
    ViewsWindow window(
        "[Exit]\r\nBimapStyle=1\r\nBimapFile=Skin\\ExitNormal.bmp\r\nBimapMaskColor=255,0,0\r\n");
    window.Picture("Skin\\ExitNormal.bmp", 40, 20, 0xFF0000);
    auto exit = MakeButton<CExitView>(window, "Exit");
    ASSERT_TRUE(window.Show());
    EXPECT_EQ(exit->size(), QSize(40, 20));
    EXPECT_EQ(CountColour(*exit, Qt::red), 0);
}

class ItemButtons : public ::testing::Test {
  protected:
    ItemButtons()
        : window("[Restore_Item1]\r\nWidth=32\r\nHeight=32\r\nBimapFile=ItemUp.bmp\r\n"
                 "[Restore_Item2]\r\nOriginalX=50\r\nWidth=32\r\nHeight=32\r\nBimapFile=ItemUp.bmp\r\n"
                 "[Restore_Item3]\r\nOriginalX=100\r\nWidth=32\r\nHeight=32\r\nBimapFile=ItemUp.bmp\r\n"
                 "Text_Tip=null\r\nText_Introduction=Third\r\n"
                 "[Restore_Item4]\r\nOriginalX=150\r\nWidth=32\r\nHeight=32\r\nBimapFile=Plain.bmp\r\n"
                 "Text_Introduction=Fourth\r\n"),
          introduction(Rect{300, 10, 500, 100}, &window.window()) {
        window.Picture("ItemUp.bmp", 48, 48, 0xFF0000);
        window.Picture("ItemFocus.bmp", 48, 48, 0x00FF00);
        window.Picture("ItemDown.bmp", 48, 48, 0x0000FF);
        window.Picture("Plain.bmp", 48, 48, 0xFF0000);
        window.Picture("PlainFocus.bmp", 48, 48, 0x00FF00);
    }
    std::unique_ptr<CItemButton> Button(int item) {
        return std::make_unique<CItemButton>(item, ReadItemButtonLayout(item), &window.window());
    }

    ViewsWindow window;
    CIntroductionView introduction;
};

TEST_F(ItemButtons, TheFirstTwoItemsOpenTheirMenuOnThePress) {
    std::vector<std::unique_ptr<CItemButton>> buttons;
    for (int item : {1, 2, 3})
        buttons.push_back(Button(item));
    ASSERT_TRUE(window.Show());
    for (const auto& button : buttons) {
        QSignalSpy menu(button.get(), &CItemButton::itemMenuRequested);
        QTest::mousePress(button.get(), Qt::LeftButton, {}, QPoint(3, 3));
        // Before any release.
        if (button->ItemNumber() <= 2) {
            ASSERT_EQ(menu.count(), 1);
            EXPECT_EQ(menu.at(0).at(0).toInt(), button->ItemNumber());
            EXPECT_FALSE(button->State().Pressed());
        } else {
            EXPECT_EQ(menu.count(), 0);
        }
        QTest::mouseRelease(button.get(), Qt::LeftButton, {}, QPoint(3, 3));
        EXPECT_EQ(menu.count(), button->ItemNumber() <= 2 ? 1 : 0);
    }
}

TEST_F(ItemButtons, ANullTipInAnyCaseGivesNoTooltipButAPressShowsIt) {
    auto third = Button(3);
    auto fourth = Button(4);
    ASSERT_TRUE(window.Show());
    EXPECT_FALSE(third->TooltipEnabled());
    EXPECT_TRUE(third->toolTip().isEmpty());
    QTest::mouseClick(third.get(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(introduction.Text(), "null");
    // Without a tip, the press shows the introduction.
    QTest::mouseClick(fourth.get(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(introduction.Text(), "Fourth");
}

TEST_F(ItemButtons, HoverAndPressPicturesAndAButtonWithoutUpDrawsOnlyItsNormalPicture) {
    auto third = Button(3);
    auto fourth = Button(4);
    ASSERT_TRUE(window.Show());
    EXPECT_EQ(third->size(), QSize(32, 32));
    EXPECT_EQ(CentreColour(*third), QColor(Qt::red));
    QTest::mouseMove(third.get(), QPoint(3, 3));
    EXPECT_EQ(QWidget::mouseGrabber(), third.get());
    EXPECT_EQ(CentreColour(*third), QColor(Qt::green));
    QTest::mousePress(third.get(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(CentreColour(*third), QColor(Qt::blue));
    QTest::mouseRelease(third.get(), Qt::LeftButton, {}, QPoint(3, 3));
    // The window system reports only moves that change the position.
    QTest::mouseMove(third.get(), QPoint(4, 4));
    EXPECT_EQ(third->DrawnState(), kItemFocus);
    QTest::mouseMove(third.get(), Outside(*third));
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(CentreColour(*third), QColor(Qt::red));

    // "Plain.bmp" has no "Up.": hovering it finds no focus picture and draws nothing.
    EXPECT_FALSE(fourth->HasPicture(kItemFocus));
    QTest::mouseMove(fourth.get(), QPoint(3, 3));
    EXPECT_NE(CentreColour(*fourth), QColor(Qt::green));
    EXPECT_NE(CentreColour(*fourth), QColor(Qt::red));
}

} // namespace
