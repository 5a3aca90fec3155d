#pragma once
// The option-tree dialog: the tree of options with its description box and the default button.
// OK writes the states when anything changed; Cancel writes nothing. The tree it shows belongs to
// the caller and outlives the window, whose closing only empties the groups.
#include "tandril/core/option_tree.h"

#include <QDialog>

#include <string>

namespace tandril::gui {

class OptionTreeCtrl;

class OptionTreeDialog : public QDialog {
    Q_OBJECT
  public:
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
