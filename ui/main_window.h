#pragma once

// The program's only window: the file list, the status group and the four
// buttons Import, Start, Reset and Cancel.

#include <QWidget>

#include "core/text.h"
#include "ui/status_display.h"

class QLabel;
class QPushButton;

namespace varentix {

class FileListBox;

class MainWindow final : public QWidget, public StatusDisplay {
    Q_OBJECT
public:
    // Outer size on the desktop the window was drawn for: a 3-pixel frame
    // and a 23-pixel caption around the client area below.
    static constexpr QSize kOuterSize{615, 361};
    static constexpr QSize kClientSize{609, 335};

    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    [[nodiscard]] FileListBox& file_list() { return *list_; }

    // The button actions.
    void import_by_dialog();
    void start_renaming();
    void reset_list();
    void close_window();

    void show_not_imported() override;
    void show_imported() override;
    void show_done() override;
    void show_count(const Text& count) override;

private:
    void create_controls();
    void set_tab_order();
    void place_on_screen();
    void register_drop_target();

    QPushButton* import_button_ = nullptr;
    QPushButton* start_button_ = nullptr;
    QPushButton* reset_button_ = nullptr;
    QPushButton* cancel_button_ = nullptr;
    QLabel* status_label_ = nullptr;
    QLabel* count_label_ = nullptr;
    FileListBox* list_ = nullptr;
};

}  // namespace varentix
