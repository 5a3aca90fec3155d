// The option-tree exports as a program of the suite reaches them: libTandril.so copied into a fresh
// machine beside its "MenuSelect.ini", opened with dlopen after the machine is chosen, and its
// functions found by name. One library per process, so the tests share its state; the first one
// finds it as loaded.
#include "platform/profile.h"
#include "support/temp_prefix.h"
#include "tandril.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>

namespace tavo::test {
namespace {

constexpr const char* kStateFile = "C:\\WINDOWS\\Opt.ini";

// 0 Parent (1) > 1 Child (12); 2 Leader, checked by default (2).
constexpr const char* kDefinition =
    "[General]\r\nTotalItemNum=2\r\nT_ExportFile=Opt.ini\r\nT_ID_KEY=Tree\r\nText_Title_Dialog=Options\r\n"
    "[T_1]\r\nText_Tree=Parent\r\nSubNum=1\r\nFilter_Value=1\r\nSUB_ID_KEY=K1\r\n"
    "[T_1_1]\r\nText_Tree=Child\r\nFilter_Value=12\r\nSUB_ID_KEY=K12\r\n"
    "[T_2]\r\nText_Tree=Leader\r\nDefault_Value=_SELECT_CHECK_\r\nFilter_Value=2\r\nSUB_ID_KEY=K2\r\n";

void Ignored() {}

class OptionTreeExports : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        machine_ = new TempPrefix;
        setenv("TAVO_PREFIX", machine_->host().c_str(), 1);
        const std::string copy = machine_->HostOf("C:\\Lib\\libTandril.so");
        std::filesystem::create_directories(std::filesystem::path(copy).parent_path());
        std::filesystem::copy_file(TANDRIL_LIBRARY, copy);
        machine_->WriteHost("C:\\Lib\\MenuSelect.ini", kDefinition);
        // Not closed: windows and the toolkit's records of the library's classes may outlive it.
        library_ = dlopen(copy.c_str(), RTLD_NOW | RTLD_LOCAL);
    }
    static void TearDownTestSuite() {
        delete machine_;
        machine_ = nullptr;
    }
    void SetUp() override {
        ASSERT_NE(library_, nullptr) << dlerror();
        machine_->WriteHost(kStateFile, "");
    }

    template <typename Function> static Function Export(const char* name) {
        void* symbol = dlsym(library_, name);
        Function function = nullptr;
        std::memcpy(&function, &symbol, sizeof function);
        return function;
    }
    static int CurrentState(int id) { return Export<int (*)(int)>("GetItemCurrentState")(id); }
    static int StateFromIni(const char* name, int id) {
        return Export<int (*)(const char*, int)>("GetItemStateFromIni")(name, id);
    }
    static int DoModal(TandrilWindow parent, const char* name) {
        return Export<int (*)(TandrilWindow, const char*)>("DialogDoModal")(parent, name);
    }
    static int Create(const char* name, TandrilWindow parent, unsigned short id) {
        return Export<int (*)(const char*, TandrilWindow, unsigned short)>("DialogCreate")(name, parent, id);
    }
    static void Destroy() { Export<void (*)()>("DialogDestroy")(); }
    static std::string Stored(const char* key) { return plat::ProfileString(kStateFile, "Tree", key); }

    // Runs `work` inside the next modal dialog, then presses its button `button`.
    static void InModal(const std::function<void(QWidget&)>& work, const char* button) {
        QTimer::singleShot(0, [work, button] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            work(*dialog);
            dialog->findChild<QPushButton*>(QLatin1String(button))->click();
        });
    }

    static TempPrefix* machine_;
    static void* library_;
};

TempPrefix* OptionTreeExports::machine_ = nullptr;
void* OptionTreeExports::library_ = nullptr;

TEST_F(OptionTreeExports, StatesAreMinusOneUntilATreeHasTheId) {
    EXPECT_EQ(CurrentState(2), -1); // no dialog is current
    Destroy();                      // nothing to destroy
    EXPECT_EQ(CurrentState(2), -1);
    machine_->WriteHost(kStateFile, "[Tree]\r\nK12=4\r\n");
    EXPECT_EQ(StateFromIni("T", 12), 4);
    EXPECT_EQ(StateFromIni("T", 2), 2);
    EXPECT_EQ(StateFromIni("T", 77), -1);
    EXPECT_EQ(StateFromIni(nullptr, 12), -1);
    // The spare tree that answered is current now.
    EXPECT_EQ(StateFromIni("T", 12), 4);
    EXPECT_EQ(CurrentState(12), 4);
}

TEST_F(OptionTreeExports, DialogDoModalShowsTheTreeAndOkWritesIt) {
    QWidget owner;
    InModal(
        [&owner](QWidget& dialog) {
            EXPECT_EQ(dialog.parentWidget(), &owner);
            EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Options"));
            EXPECT_EQ(CurrentState(2), 2);
            dialog.findChild<QPushButton*>(QStringLiteral("1005"))->click();
        },
        "1");
    EXPECT_EQ(DoModal(&owner, "T"), 1);
    EXPECT_EQ(Stored("K2"), "2");
    EXPECT_EQ(Stored("K12"), "1");
    EXPECT_EQ(CurrentState(2), 2); // the states the closed dialog showed

    InModal([](QWidget& dialog) { dialog.findChild<QPushButton*>(QStringLiteral("1005"))->click(); }, "2");
    machine_->WriteHost(kStateFile, "[Tree]\r\nK2=1\r\n");
    EXPECT_EQ(DoModal(nullptr, "T"), 2);
    EXPECT_EQ(machine_->ReadHost(kStateFile), "[Tree]\r\nK2=1\r\n");
    EXPECT_EQ(StateFromIni("T", 2), 1);
}

TEST_F(OptionTreeExports, DialogCreateShowsAModelessDialogUntilDialogDestroy) {
    QWidget owner;
    EXPECT_EQ(Create("T", &owner, 1002), 0);
    ASSERT_NE(Create("T", &owner, 1000), 0);
    auto* dialog = owner.findChild<QDialog*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(CurrentState(2), 2);
    EXPECT_EQ(CurrentState(77), -1);
    Destroy();
    EXPECT_EQ(owner.findChild<QDialog*>(), nullptr);
    Destroy();
    EXPECT_EQ(CurrentState(2), 2);
}

TEST_F(OptionTreeExports, TheSelectionCallbackIsKeptAndHandedBack) {
    const auto add =
        Export<TandrilSelItemCallBack (*)(TandrilSelItemCallBack)>("SelItem_AddCallBackFunction");
    EXPECT_EQ(add(&Ignored), &Ignored);
    EXPECT_EQ(add(nullptr), nullptr);
}

} // namespace
} // namespace tavo::test
