#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include <string>
#include <vector>

#include "core/config/FrmConfigLogic.h"
#include "core/config/FrmConfigView.h"
#include "qt/about/frmAbout.h"
#include "qt/trialplay/frmPlay.h"

class QAction;
class QCheckBox;
class QGroupBox;
class QListView;
class QMenu;
class QPushButton;

namespace revuro {

class PlaylistFile;
class PlayerFactory;
class RowListModel;
class SettingsStore;

inline constexpr const char* kConfigTitle = "DavodoR2.03设置";

// The configuration dialog. It owns its controls and forwards every event to FrmConfigLogic;
// the trial window and the about box it opens are top-level windows of their own.
class FrmConfig : public QWidget, private FrmConfigView {
    Q_OBJECT

  public:
    FrmConfig(const PlaylistPlaces& places, SettingsStore& settings, const PlaylistFile& playlists,
              const PlayerFactory& players, QWidget* parent = nullptr);
    ~FrmConfig() override;

    // The form's load handling: fills the list and the two boxes from what is stored.
    void Load();

    // The trial window while it lives, for the tests.
    frmPlay* trialWindow() const { return trial_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildControls();
    void ConnectControls();
    void cmdAdd_Click();
    void cmdAbout_Click();
    void lstFiles_DragEnter(QEvent* event);
    void lstFiles_Drop(QEvent* event);
    void lstFiles_ContextMenu(const QPoint& at);
    void mnuDelete_Click();
    // The list's current row, -1 for none, and how many rows are selected.
    int CurrentRow() const;
    int SelectedRowCount() const;

    // FrmConfigView
    void RowsReset(const std::vector<std::string>& rows) override;
    void RowsAppended(const std::vector<std::string>& rows, std::size_t first) override;
    void RowRemoved(std::size_t index) override;
    void SelectRow(std::size_t index) override;
    bool IsChecked(CheckBox box) const override;
    void SetChecked(CheckBox box, bool checked) override;
    void MsgBoxInformation(const std::string& text, const std::string& title) override;
    Answer MsgBoxOkCancel(const std::string& text, const std::string& title) override;
    void MsgBoxCritical(const std::string& text, const std::string& title) override;
    void Beep() override;
    void Unload() override;
    void PlayInTrialWindow(const std::string& url) override;

    QCheckBox* CheckBoxOf(CheckBox box) const;

    const PlayerFactory& players_;

    QGroupBox* Frame1_;
    QPushButton* cmdOK_;
    QPushButton* cmdCancel_;
    QPushButton* cmdhelp_;
    QPushButton* cmdAbout_;
    QListView* lstFiles_;
    RowListModel* lstFilesRows_;
    QPushButton* cmdAdd_;
    QPushButton* cmdClear_;
    QPushButton* CmdPlay_;
    QGroupBox* Frame2_;
    QCheckBox* chkA_;
    QCheckBox* chkRandom_;
    QListView* lstShort_;
    RowListModel* lstShortRows_;
    QMenu* mnuList_;
    QAction* mnuDelete_;

    QString addFolder_;  // where the add dialog left off; it opens there next time
    bool unloaded_ = false;
    QPointer<frmPlay> trial_;
    QPointer<frmAbout> about_;

    FrmConfigLogic logic_;
};

}  // namespace revuro
