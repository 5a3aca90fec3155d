#include "tandril/gui/current_option_tree_dialog.h"

#include "tandril/core/library_state.h"
#include "tandril/gui/gui_application.h"
#include "tandril/gui/option_tree_dialog.h"

#include <QPointer>

#include <memory>

namespace tandril::gui {

namespace {

constexpr int kOptionTreeTemplate = 1000;

// The window with the tree it shows, which must live as long as the window does.
struct Shown {
    QPointer<OptionTreeDialog> dialog;
    std::shared_ptr<OptionTree> tree;
};

Shown& Current() {
    static Shown shown;
    return shown;
}

// A new dialog of tree `name` becomes current; the window of the one before goes first.
OptionTreeDialog* Open(const std::string& name, QWidget* parent) {
    DestroyOptionTreeDialog();
    Shown& shown = Current();
    shown.tree = std::make_shared<OptionTree>();
    Library().currentOptionTree = shown.tree;
    shown.dialog = new OptionTreeDialog(*shown.tree, name, parent);
    return shown.dialog;
}

} // namespace

int DoModalOptionTreeDialog(QWidget* parent, const std::string& name) {
    Library().treeName = name;
    if (!EnsureGuiApplication()) return -1;
    const QPointer<OptionTreeDialog> dialog = Open(name, parent);
    // Held here too: a dialog opened while this one runs replaces it as current.
    const std::shared_ptr<OptionTree> tree = Current().tree;
    const int code = dialog->exec();
    delete dialog.data();
    if (code == QDialog::Accepted) return 1;
    return code == OptionTreeDialog::kNotWritten ? -1 : 2;
}

bool ShowOptionTreeDialog(const std::string& name, QWidget* parent, int templateId) {
    Library().treeName = name;
    if (!EnsureGuiApplication()) return false;
    Shown& shown = Current();
    if (!shown.dialog || shown.tree->name() != name) {
        if (templateId != kOptionTreeTemplate) return false;
        Open(name, parent);
    }
    shown.dialog->setAttribute(Qt::WA_ShowWithoutActivating);
    shown.dialog->show();
    return true;
}

void DestroyOptionTreeDialog() {
    Shown& shown = Current();
    delete shown.dialog.data();
    shown.tree.reset();
}

} // namespace tandril::gui
