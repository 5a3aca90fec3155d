// The option-tree dialog under the offscreen platform: clicks on icons and labels, keys, the
// default button, OK and Cancel, and the current dialog the exports run and show.
#include "platform/profile.h"
#include "tandril/core/option_tree_states.h"
#include "tandril/gui/check_state_icons.h"
#include "tandril/gui/current_option_tree_dialog.h"
#include "tandril/gui/option_tree_ctrl.h"
#include "tandril/gui/option_tree_dialog.h"
#include "../tandril_fixture.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>
#include <QTimer>

#include <sys/stat.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tavo::test {
namespace {

constexpr const char* kStateFile = "C:\\WINDOWS\\Opt.ini";

// Items in load order: 0 Parent (1) > 1 A (11), 2 B (12); 3 Leader of group 1 (2); 4 Member (3);
// 5 Fixed, disabled unchecked (4).
constexpr const char* kDefinition =
    "[General]\r\nTotalItemNum=4\r\nT_ExportFile=Opt.ini\r\nT_ID_KEY=Tree\r\n"
    "Text_Title_Dialog=Options\r\nText_Title_Option=Choose\r\nText_Title_Description=About\r\n"
    "Text_BTN_OK=OK\r\nText_BTN_CANCEL=Cancel\r\nText_BTN_DEFAULT=Default\r\n"
    "[T_1]\r\nText_Tree=Parent\r\nText_Tree_Description=About the parent\r\nSubNum=2\r\n"
    "Filter_Value=1\r\nSUB_ID_KEY=K1\r\n"
    "[T_1_1]\r\nText_Tree=A\r\nFilter_Value=11\r\nSUB_ID_KEY=K11\r\n"
    "[T_1_2]\r\nText_Tree=B\r\nFilter_Value=12\r\nSUB_ID_KEY=K12\r\n"
    "[T_2]\r\nText_Tree=Leader\r\nRelationShip=1\r\nDefault_Value=_SELECT_CHECK_\r\nFilter_Value=2\r\n"
    "SUB_ID_KEY=K2\r\n"
    "[T_3]\r\nText_Tree=Member\r\nRelationShip=10\r\nFilter_Value=3\r\nSUB_ID_KEY=K3\r\n"
    "[T_4]\r\nText_Tree=Fixed\r\nDefault_Value=_SELECT_DISABLE_UNCHECK_\r\nFilter_Value=4\r\nSUB_ID_KEY="
    "K4\r\n";

enum class Spot { Icon, Label, BeyondLabel, ExpandButton };

struct Press {
    int item;
    Spot spot;
    bool twice = false; // a double click
};

// One dialog of tree "T" on its own tree, shown.
struct Shown {
    tandril::OptionTree tree;
    std::unique_ptr<tandril::gui::OptionTreeDialog> dialog;
    tandril::gui::OptionTreeCtrl* ctrl = nullptr;

    Shown() : dialog(std::make_unique<tandril::gui::OptionTreeDialog>(tree, "T")) {
        dialog->show();
        ctrl = dialog->findChild<tandril::gui::OptionTreeCtrl*>(QStringLiteral("1000"));
    }
    QPushButton* Button(const char* id) const { return dialog->findChild<QPushButton*>(QLatin1String(id)); }
    QString Description() const {
        return dialog->findChild<QPlainTextEdit*>(QStringLiteral("1001"))->toPlainText();
    }
    QPoint Where(const Press& press) const {
        QTreeWidgetItem* item = ctrl->ItemAt(press.item);
        const QRect label = ctrl->LabelRect(item);
        switch (press.spot) {
        case Spot::Icon:
            return ctrl->IconRect(item).center();
        case Spot::Label:
            return label.center();
        case Spot::BeyondLabel:
            return QPoint(label.right() + 30, label.center().y());
        case Spot::ExpandButton:
            return QPoint(ctrl->visualItemRect(item).left() - ctrl->indentation() / 2, label.center().y());
        }
        return {};
    }
    void Do(const Press& press) const {
        const QPoint point = Where(press);
        QTest::mouseClick(ctrl->viewport(), Qt::LeftButton, {}, point);
        if (!press.twice) return;
        QTest::mouseDClick(ctrl->viewport(), Qt::LeftButton, {}, point);
        QTest::mouseRelease(ctrl->viewport(), Qt::LeftButton, {}, point);
    }
};

class OptionTreeDialogs : public TandrilTest {
  protected:
    OptionTreeDialogs() { prefix.WriteHost(kTextFile, kDefinition); }
    ~OptionTreeDialogs() override { tandril::gui::DestroyOptionTreeDialog(); }

    static std::string Stored(const std::string& key) { return plat::ProfileString(kStateFile, "Tree", key); }

    // Runs `work` inside the next modal dialog, then presses its button `button`.
    static void InModal(const std::function<void(QWidget&)>& work, const char* button) {
        QTimer::singleShot(0, [work, button] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            work(*dialog);
            if (button) dialog->findChild<QPushButton*>(QLatin1String(button))->click();
        });
    }
};

TEST_F(OptionTreeDialogs, ClicksToggleOnIconsAndOnTheSelectedLabelOnly) {
    struct Case {
        const char* name;
        std::vector<Press> presses;
        std::map<int, int> states; // id -> state
        QString description;
        bool parentExpanded = false;
    };
    const std::vector<Case> cases = {
        {"an icon click checks the item and its children",
         {{0, Spot::Icon}},
         {{1, 2}, {11, 2}, {12, 2}},
         "About the parent"},
        {"a label click on an item not selected only selects it",
         {{0, Spot::Label}},
         {{1, 1}, {11, 1}},
         "About the parent"},
        {"a label click on the selected item toggles it",
         {{3, Spot::Label}, {3, Spot::Label}},
         {{2, 1}, {3, 4}},
         "Leader"},
        {"a click beyond the selected item's label only shows its description",
         {{3, Spot::Label}, {3, Spot::BeyondLabel}},
         {{2, 2}, {3, 1}},
         "Leader"},
        {"the expand button only opens the item", {{0, Spot::ExpandButton}}, {{1, 1}, {11, 1}}, "", true},
        {"a child's icon checks its parent",
         {{0, Spot::ExpandButton}, {1, Spot::Icon}},
         {{11, 2}, {1, 2}, {12, 1}},
         "A",
         true},
        {"a double click on an icon toggles twice", {{4, Spot::Icon, true}}, {{3, 1}}, "Member"},
        {"a double click on a label selects, toggles and opens the item",
         {{0, Spot::Label, true}},
         {{1, 2}, {11, 2}},
         "About the parent",
         true},
        {"the leader's icon disables its member, a second click checks it again",
         {{3, Spot::Icon}, {3, Spot::Icon}},
         {{2, 2}, {3, 2}},
         "Leader"},
        {"a disabled item stays as it is", {{5, Spot::Icon}}, {{4, 4}}, "Fixed"},
    };
    for (const Case& c : cases) {
        Shown shown;
        for (const Press& press : c.presses)
            shown.Do(press);
        for (const auto& [id, state] : c.states)
            EXPECT_EQ(shown.tree.CurrentState(id), state) << c.name << ": id " << id;
        EXPECT_EQ(shown.Description(), c.description) << c.name;
        EXPECT_EQ(shown.ctrl->ItemAt(0)->isExpanded(), c.parentExpanded) << c.name;
        // The pictures follow the states.
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(shown.ctrl->ItemAt(i)->icon(0).cacheKey(),
                      tandril::gui::CheckStateIcon(shown.tree.items()[static_cast<std::size_t>(i)].image)
                          .cacheKey())
                << c.name << ": item " << i;
    }
}

TEST_F(OptionTreeDialogs, ShowsTheTextsAndTheSelectedItemsDescriptionAfterAKey) {
    Shown shown;
    EXPECT_EQ(shown.dialog->windowTitle(), QStringLiteral("Options"));
    EXPECT_EQ(shown.dialog->findChild<QLabel*>(QStringLiteral("1003"))->text(), QStringLiteral("Choose"));
    EXPECT_EQ(shown.dialog->findChild<QLabel*>(QStringLiteral("1002"))->text(), QStringLiteral("About"));
    EXPECT_EQ(shown.Button("1005")->text(), QStringLiteral("Default"));
    EXPECT_FALSE(shown.ctrl->ItemAt(0)->isExpanded());
    // The leader is loaded checked: its member keeps its own state.
    EXPECT_EQ(shown.tree.CurrentState(3), 1);

    shown.Do({3, Spot::Label});
    QTest::keyClick(shown.ctrl, Qt::Key_Down);
    EXPECT_EQ(shown.Description(), QStringLiteral("Member"));
    QTest::keyClick(shown.ctrl, Qt::Key_Up);
    EXPECT_EQ(shown.Description(), QStringLiteral("Leader"));
    EXPECT_FALSE(shown.tree.modified());
}

TEST_F(OptionTreeDialogs, OkWritesEveryStateAfterAChangeAndCancelNothing) {
    struct Case {
        const char* name;
        std::function<void(Shown&)> work;
        const char* button;
        bool written;
    };
    const std::vector<Case> cases = {
        {"OK without a click", [](Shown&) {}, "1", false},
        {"Cancel after a click",
         [](Shown& s) {
             s.Do({3, Spot::Icon});
         },
         "2", false},
        {"Cancel after Default", [](Shown& s) { s.Button("1005")->click(); }, "2", false},
        {"OK after Default", [](Shown& s) { s.Button("1005")->click(); }, "1", true},
    };
    for (const Case& c : cases) {
        prefix.WriteHost(kStateFile, "[Tree]\r\nK12=2\r\n");
        Shown shown;
        c.work(shown);
        shown.Button(c.button)->click();
        EXPECT_EQ(shown.dialog->result(), *c.button == '1' ? QDialog::Accepted : QDialog::Rejected) << c.name;
        if (!c.written) {
            EXPECT_EQ(prefix.ReadHost(kStateFile), "[Tree]\r\nK12=2\r\n") << c.name;
            continue;
        }
        // Default put B back to unchecked; every item is written.
        const std::map<std::string, std::string> expected = {{"K1", "1"}, {"K11", "1"}, {"K12", "1"},
                                                             {"K2", "2"}, {"K3", "1"},  {"K4", "4"}};
        for (const auto& [key, value] : expected)
            EXPECT_EQ(Stored(key), value) << c.name << ": " << key;
    }
}

TEST_F(OptionTreeDialogs, OkOnAStateFileThatTakesNothingEndsAsNotWritten) {
    prefix.WriteHost(kStateFile, "[Tree]\r\nK12=2\r\n");
    ASSERT_EQ(chmod(prefix.HostOf(kStateFile).c_str(), 0444), 0);
    Shown shown;
    shown.Do({3, Spot::Icon});
    shown.Button("1")->click();
    EXPECT_EQ(shown.dialog->result(), tandril::gui::OptionTreeDialog::kNotWritten);
    EXPECT_EQ(prefix.ReadHost(kStateFile), "[Tree]\r\nK12=2\r\n");
}

TEST_F(OptionTreeDialogs, RightToLeftTreesToggleOnTheirMirroredIcons) {
    plat::WriteProfileString(kTextFile, "General", "STYLE_RTL", "1");
    Shown shown;
    EXPECT_EQ(shown.dialog->layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(shown.dialog->findChild<QPlainTextEdit*>(QStringLiteral("1001"))
                  ->document()
                  ->defaultTextOption()
                  .textDirection(),
              Qt::RightToLeft);
    EXPECT_GT(shown.ctrl->IconRect(shown.ctrl->ItemAt(3)).left(),
              shown.ctrl->LabelRect(shown.ctrl->ItemAt(3)).left());
    shown.Do({3, Spot::Icon});
    EXPECT_EQ(shown.tree.CurrentState(2), 1);
    shown.Do({3, Spot::Label});
    EXPECT_EQ(shown.tree.CurrentState(2), 2);
}

TEST_F(OptionTreeDialogs, TreeKw233ShowsTheSixExtraOptionsLast) {
    prefix.WriteHost(kTextFile,
                     "[General]\r\nTotalItemNum=1\r\nKW_2_3_3_ExportFile=Kw.ini\r\nKW_2_3_3_ID_KEY=S\r\n"
                     "[KW_2_3_3_1]\r\nText_Tree=One\r\nSubNum=1\r\nFilter_Value=1\r\nSUB_ID_KEY=A\r\n"
                     "[KW_2_3_3_1_1]\r\nText_Tree=Inner\r\nFilter_Value=9\r\nSUB_ID_KEY=I\r\n");
    tandril::OptionTree tree;
    tandril::gui::OptionTreeDialog dialog(tree, "KW_2_3_3");
    dialog.show();
    auto* ctrl = dialog.findChild<tandril::gui::OptionTreeCtrl*>(QStringLiteral("1000"));
    ASSERT_EQ(ctrl->topLevelItemCount(), 7);
    EXPECT_EQ(ctrl->topLevelItem(0)->childCount(), 1);
    EXPECT_EQ(ctrl->topLevelItem(1)->text(0), QStringLiteral("Crowd Detection Setting"));
    EXPECT_EQ(ctrl->topLevelItem(6)->text(0), QStringLiteral("Face Count Setting"));
    QTest::mouseClick(ctrl->viewport(), Qt::LeftButton, {}, ctrl->IconRect(ctrl->topLevelItem(6)).center());
    dialog.findChild<QPushButton*>(QStringLiteral("1"))->click();
    EXPECT_EQ(plat::ProfileString("Kw.ini", "S", "KEY_205"), "2");
    EXPECT_EQ(plat::ProfileString("Kw.ini", "S", "KEY_200"), "1");
}

TEST_F(OptionTreeDialogs, TheModalDialogIsCurrentAndItsStatesOutliveIt) {
    EXPECT_EQ(tandril::GetItemCurrentState(12), -1);
    QWidget owner;
    InModal(
        [&owner](QWidget& dialog) {
            EXPECT_EQ(dialog.parentWidget(), &owner);
            EXPECT_EQ(tandril::GetItemCurrentState(12), 1);
            dialog.findChild<QPushButton*>(QStringLiteral("1005"))->click();
            auto* ctrl = dialog.findChild<tandril::gui::OptionTreeCtrl*>(QStringLiteral("1000"));
            QTest::mouseClick(ctrl->viewport(), Qt::LeftButton, {}, ctrl->IconRect(ctrl->ItemAt(0)).center());
            EXPECT_EQ(tandril::GetItemCurrentState(12), 2);
        },
        "1");
    EXPECT_EQ(tandril::gui::DoModalOptionTreeDialog(&owner, "T"), 1);
    EXPECT_EQ(tandril::Library().treeName, "T");
    EXPECT_EQ(Stored("K12"), "2");
    EXPECT_EQ(tandril::GetItemCurrentState(12), 2);
    EXPECT_EQ(tandril::GetItemCurrentState(999), -1);

    // Cancel: nothing written; the states the operator left stay readable until the next dialog.
    InModal([](QWidget& dialog) { dialog.findChild<QPushButton*>(QStringLiteral("1005"))->click(); }, "2");
    EXPECT_EQ(tandril::gui::DoModalOptionTreeDialog(nullptr, "T"), 2);
    EXPECT_EQ(Stored("K12"), "2");
    EXPECT_EQ(tandril::GetItemCurrentState(12), 1);
    EXPECT_EQ(tandril::GetItemStateFromIni("T", 12), 2);

    // Destroyed while it runs: ends as Cancel.
    InModal([](QWidget&) { tandril::gui::DestroyOptionTreeDialog(); }, nullptr);
    EXPECT_EQ(tandril::gui::DoModalOptionTreeDialog(nullptr, "T"), 2);
    const QWidgetList windows = QApplication::topLevelWidgets();
    EXPECT_TRUE(std::none_of(windows.begin(), windows.end(), [](QWidget* w) {
        return qobject_cast<tandril::gui::OptionTreeDialog*>(w) != nullptr;
    }));
}

TEST_F(OptionTreeDialogs, TheModelessDialogIsShownAgainUntilDestroyed) {
    QWidget owner;
    EXPECT_FALSE(tandril::gui::ShowOptionTreeDialog("T", &owner, 1001));
    ASSERT_TRUE(tandril::gui::ShowOptionTreeDialog("T", &owner, 1000));
    auto* dialog = owner.findChild<tandril::gui::OptionTreeDialog*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(tandril::GetItemCurrentState(2), 2);
    dialog->findChild<QPushButton*>(QStringLiteral("2"))->click();
    EXPECT_FALSE(dialog->isVisible());

    // The same tree: the same window again, with any template id.
    ASSERT_TRUE(tandril::gui::ShowOptionTreeDialog("T", nullptr, 7));
    EXPECT_EQ(owner.findChild<tandril::gui::OptionTreeDialog*>(), dialog);
    EXPECT_TRUE(dialog->isVisible());

    // Another tree takes the place of the first window.
    ASSERT_TRUE(tandril::gui::ShowOptionTreeDialog("U", &owner, 1000));
    ASSERT_EQ(owner.findChildren<tandril::gui::OptionTreeDialog*>().size(), 1);

    tandril::gui::DestroyOptionTreeDialog();
    EXPECT_EQ(owner.findChild<tandril::gui::OptionTreeDialog*>(), nullptr);
    tandril::gui::DestroyOptionTreeDialog();
}

} // namespace
} // namespace tavo::test
