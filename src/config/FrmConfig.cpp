#include "config/FrmConfig.h"

#include "platform/Twips.h"

namespace revuro {

FrmConfig::FrmConfig(const std::string& /*programFolder*/, SettingsStore& /*settings*/,
                     const PlaylistFile& /*playlists*/, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName("FrmConfig");
    setWindowTitle("DavodoR2.03设置");
    setFixedSize(TwipsToPixels(6015), TwipsToPixels(6735));
}

}  // namespace revuro
