#pragma once

#include <QDialog>

namespace revuro {

// The about box: banner, title, version, the maker's links and the system-information button.
class frmAbout : public QDialog {
    Q_OBJECT

public:
    explicit frmAbout(QWidget* parent = nullptr);
};

}  // namespace revuro
