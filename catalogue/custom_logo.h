#pragma once
// The custom logo dialog without its window: the rows and columns it shows, the file choice of a
// row and what OK stores in section "BMP_LOGO" of "OrvPal.ini". The window draws this model and
// turns double-clicks and its buttons into calls on it.
//
// A row's shown path and its changed flag are one state, rebuilt at every opening: OK stores only
// files accepted in the same opening, never a text the row merely shows.
#include "catalogue/logo_rows.h"

#include <string>
#include <vector>

namespace plat {
class Operator;
}

namespace tavo {

class CustomLogo {
  public:
    struct Row {
        std::string title;     // column 0
        std::string warning;   // shown when a chosen file has the wrong format
        std::string fileTitle; // title of the row's file prompt
        std::string path;      // column 1: the stored file, the default file, or the file accepted
        bool changed = false;  // `path` was accepted in this opening and OK stores it
    };
    struct Column {
        std::string header;
        double widthShare; // of the list's client width
    };

    // At most as many rows as the DVR has pictures, and columns as there are widths for.
    static constexpr int kMaxRows = static_cast<int>(kLogoRows.size());
    static constexpr int kMaxColumns = 3;

    // The opening: the texts of the settings INI, the DVR's install folder read again (it becomes
    // the DVR's path root) and each row's file from "BMP_LOGO". Choices of an earlier opening
    // are gone.
    void Open();

    const std::string& Title() const { return title_; }
    const std::string& OkText() const { return okText_; }
    const std::string& CancelText() const { return cancelText_; }
    const std::vector<Column>& Columns() const { return columns_; }
    const std::vector<Row>& Rows() const { return rows_; }

    // The file choice of a row: the prompt through `op`, then the check of the chosen file. A file
    // of the row's format becomes the row's path, to be stored on OK; a file of another format shows
    // the row's warning; a file that cannot be opened is ignored. True when the row took a file.
    bool ChooseFile(int row, plat::Operator& op);

    // OK: writes the path of every changed row to its key. True when all are stored; a row that
    // could not be written stays changed and `op` is told which file could not be written.
    bool Save(plat::Operator& op);

  private:
    std::string title_;
    std::string okText_;
    std::string cancelText_;
    std::vector<Column> columns_;
    std::vector<Row> rows_;
};

} // namespace tavo
