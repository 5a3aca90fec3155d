#pragma once
// The option-tree dialog: the tree of options with its description box and the default button.
// OK writes the states when anything changed and ends the dialog with Accepted, or with
// kNotWritten when the state file could not take them; Cancel writes nothing. The tree it shows
// belongs to the caller and outlives the window, whose closing only empties the groups.
#include "tandril/core/option_tree.h"

#include <QDialog>

#include <string>

namespace tandril::gui {

class OptionTreeCtrl;

class OptionTreeDialog : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kNotWritten = -1;

    // Loads tree `name` into `tree` and shows it.
    OptionTreeDialog(OptionTree& tree, const std::string& name, QWidget* parent = nullptr);
    ~OptionTreeDialog() override;
    OptionTreeDialog(const OptionTreeDialog&) = delete;
    OptionTreeDialog& operator=(const OptionTreeDialog&) = delete;

  private:
    OptionTree& tree_;
    OptionTreeCtrl* view_;
};

} // namespace tandril::gui
