#pragma once

#include <QWidget>

#include <string>

namespace revuro {

class PlaylistFile;
class SettingsStore;

// The configuration dialog.
class FrmConfig : public QWidget {
    Q_OBJECT

public:
    FrmConfig(const std::string& programFolder, SettingsStore& settings,
              const PlaylistFile& playlists, QWidget* parent = nullptr);
};

}  // namespace revuro
