// "Varenta Sound": on the "Sound" tab the sound switch and the files of each
// sound event, on the "Music" tab the music switch and either one music file
// or a jukebox folder. Edits of the event table act at once on the program's
// table (Cancel keeps them for this run); OK stores everything and hands the
// switches and the music settings to the table window.
#pragma once

#include "varenta/table/Jukebox.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace varenta {

class SettingsFile;
class SoundEvents;

// The music settings as stored; `musicDir` is the program's music folder, the
// jukebox folder when none is stored.
MusicSettings ReadMusicSettings(SettingsFile& store, const std::string& musicDir);

struct SoundServices {
    // The open-file dialog (caption, start folder, filter); empty when cancelled.
    std::function<QString(const QString&, const QString&, const QString&)> openFile;
    // The folder dialog (caption, start folder); empty when cancelled.
    std::function<QString(const QString&, const QString&)> chooseFolder;
    std::function<void(const QString&)> error; // the store failed
    // After OK stored everything: sound switch and music settings.
    std::function<void(bool, const MusicSettings&)> apply;
};

class SoundDialog : public QDialog {
    Q_OBJECT
public:
    SoundDialog(SettingsFile& store, SoundEvents& events, const std::string& musicDir,
                SoundServices services, QWidget* parent = nullptr);

    int SelectedEvent() const;
    int SelectedSound() const;
    void SelectEvent(int index);
    void SelectSound(int index);

    void AddClick();
    void RemoveClick();
    void DefaultClick();
    void PlayClick();
    void MusicFileClick();
    void JukeboxFolderClick();
    // What the Music tab shows now.
    MusicSettings ChosenMusic() const;

public slots:
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* BuildSoundTab();
    QWidget* BuildMusicTab();
    void ShowSounds(int select);
    void UpdateButtons();

    SettingsFile& store_;
    SoundEvents& events_;
    SoundServices services_;
    QTabWidget* tabs_;
    QCheckBox* ckSound_;
    QCheckBox* ckMusic_;
    QListWidget* lbEvents_;
    QListWidget* lbSounds_;
    QPushButton* bnAdd_;
    QPushButton* bnRemove_;
    QPushButton* bnDefault_;
    QPushButton* bnPlay_;
    QRadioButton* rbSingle_;
    QRadioButton* rbJukebox_;
    QLineEdit* edFile_;
    QLineEdit* edFolder_;
};

} // namespace varenta
