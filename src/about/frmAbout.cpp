#include "about/frmAbout.h"

namespace revuro {

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) { setObjectName("frmAbout"); }

}  // namespace revuro
