#include "varenta/table/SoundDialog.h"

#include "varenta/table/TableTextConversion.h"

#include "varenta/store/SettingsFile.h"
#include "varenta/table/HelpTopics.h"
#include "varenta/table/SoundEvents.h"
#include "varenta/table/TableSettings.h"
#include "varenta/table/TableTexts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace varenta {

namespace {

QString Text(const char* text) {
    return QString::fromUtf8(text);
}

template <typename W> W* Named(W* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// A name typed without an extension means the filter's kind of file.
QString WithDefaultExtension(const QString& file, const char* extension) {
    if (QFileInfo(file).suffix().isEmpty() && !QFileInfo::exists(file)) {
        return file + QLatin1Char('.') + Text(extension);
    }
    return file;
}

} // namespace

MusicSettings ReadMusicSettings(SettingsFile& store, const std::string& musicDir) {
    MusicSettings music;
    music.enabled = store.ReadBool(kKeyMusic, true);
    music.type = store.ReadInteger(kKeyMusicType, kMusicJukebox) == kMusicSingleFile
                     ? kMusicSingleFile
                     : kMusicJukebox;
    music.file = store.ReadString(kKeyMusicFile, Text(kDefaultMusicFile)).toStdString();
    QString folder = store.ReadString(kKeyMusicDir, QString::fromStdString(musicDir));
    // Kept without a closing separator, whichever kind an older copy wrote.
    while (folder.size() > 1 && (folder.endsWith('/') || folder.endsWith('\\'))) {
        folder.chop(1);
    }
    music.folder = folder.toStdString();
    return music;
}

SoundDialog::SoundDialog(SettingsFile& store, SoundEvents& events, const std::string& musicDir,
                         SoundServices services, QWidget* parent)
    : QDialog(parent), store_(store), events_(events), services_(std::move(services)) {
    setWindowTitle(Tr(texts::kSoundCaption));
    tabs_ = Named(new QTabWidget(this), "pcSound");
    tabs_->addTab(BuildSoundTab(), Tr(texts::kSoundTab));
    tabs_->addTab(BuildMusicTab(), Tr(texts::kMusicTab));
    SetHelpTopic(this, topics::kSound);
    SetHelpTopic(tabs_->widget(0), topics::kSoundEvents);
    SetHelpTopic(tabs_->widget(1), topics::kSoundMusic);

    auto* buttons = new QDialogButtonBox(this);
    Named(buttons->addButton(Tr(texts::kOk), QDialogButtonBox::AcceptRole), "bnOK")
        ->setDefault(true);
    Named(buttons->addButton(Tr(texts::kCancel), QDialogButtonBox::RejectRole), "bnCancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &SoundDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SoundDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);

    // Opening: the switches and the music from the store, the first event.
    ckSound_->setChecked(store_.ReadBool(kKeySound, true));
    const MusicSettings music = ReadMusicSettings(store_, musicDir);
    ckMusic_->setChecked(music.enabled);
    edFile_->setText(QString::fromStdString(music.file));
    edFolder_->setText(QString::fromStdString(music.folder));
    (music.type == kMusicSingleFile ? rbSingle_ : rbJukebox_)->setChecked(true);
    SelectEvent(0);
}

QWidget* SoundDialog::BuildSoundTab() {
    auto* page = new QWidget(this);
    ckSound_ = Named(new QCheckBox(Tr(texts::kSoundEnabled), page), "ckSound");
    lbEvents_ = Named(new QListWidget(page), "lbEvents");
    for (const char* name : kSoundEventNames) {
        lbEvents_->addItem(Tr(name));
    }
    lbSounds_ = Named(new QListWidget(page), "lbSounds");
    lbSounds_->installEventFilter(this);
    auto* eventsLabel = new QLabel(Tr(texts::kSoundEvents), page);
    eventsLabel->setBuddy(lbEvents_);
    auto* soundsLabel = new QLabel(Tr(texts::kAssociatedSounds), page);
    soundsLabel->setBuddy(lbSounds_);
    bnAdd_ = Named(new QPushButton(Tr(texts::kAddSound), page), "bnAdd");
    bnRemove_ = Named(new QPushButton(Tr(texts::kRemoveSound), page), "bnRemove");
    bnDefault_ = Named(new QPushButton(Tr(texts::kDefaultSounds), page), "bnDefault");
    bnPlay_ = Named(new QPushButton(Tr(texts::kPlaySound), page), "bnPlay");
    connect(lbEvents_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) {
            ShowSounds(0);
        }
    });
    connect(lbSounds_, &QListWidget::currentRowChanged, this, [this] { UpdateButtons(); });
    connect(bnAdd_, &QPushButton::clicked, this, &SoundDialog::AddClick);
    connect(bnRemove_, &QPushButton::clicked, this, &SoundDialog::RemoveClick);
    connect(bnDefault_, &QPushButton::clicked, this, &SoundDialog::DefaultClick);
    connect(bnPlay_, &QPushButton::clicked, this, &SoundDialog::PlayClick);

    auto* grid = new QGridLayout(page);
    grid->addWidget(ckSound_, 0, 0, 1, 2);
    grid->addWidget(eventsLabel, 1, 0);
    grid->addWidget(soundsLabel, 1, 1);
    grid->addWidget(lbEvents_, 2, 0, 2, 1);
    grid->addWidget(lbSounds_, 2, 1);
    auto* row = new QHBoxLayout;
    for (QPushButton* button : {bnAdd_, bnRemove_, bnDefault_, bnPlay_}) {
        row->addWidget(button);
    }
    grid->addLayout(row, 3, 1);
    return page;
}

QWidget* SoundDialog::BuildMusicTab() {
    auto* page = new QWidget(this);
    ckMusic_ = Named(new QCheckBox(Tr(texts::kMusicEnabled), page), "ckMusic");
    rbSingle_ = Named(new QRadioButton(Tr(texts::kSingleMusicFile), page), "rbSingle");
    rbJukebox_ = Named(new QRadioButton(Tr(texts::kJukeboxFolder), page), "rbJukebox");
    edFile_ = Named(new QLineEdit(page), "edFile");
    edFolder_ = Named(new QLineEdit(page), "edFolder");
    auto* browseFile = Named(new QPushButton(Tr(texts::kBrowse), page), "bnFile");
    auto* browseFolder = Named(new QPushButton(Tr(texts::kBrowse), page), "bnFolder");
    // The fields are named by the choice they belong to, the "..." buttons by what they open.
    edFile_->setAccessibleName(rbSingle_->text().remove(QLatin1Char('&')));
    edFolder_->setAccessibleName(rbJukebox_->text().remove(QLatin1Char('&')));
    browseFile->setAccessibleName(Tr(texts::kSelectMusicFile));
    browseFolder->setAccessibleName(Tr(texts::kSelectJukeboxFolder));
    for (QPushButton* button : {browseFile, browseFolder}) {
        button->setFixedWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("....")) * 2);
    }
    connect(browseFile, &QPushButton::clicked, this, &SoundDialog::MusicFileClick);
    connect(browseFolder, &QPushButton::clicked, this, &SoundDialog::JukeboxFolderClick);
    SetHelpTopic(browseFolder, topics::kJukeboxFolder);

    auto* grid = new QGridLayout(page);
    grid->addWidget(ckMusic_, 0, 0, 1, 2);
    grid->addWidget(rbSingle_, 1, 0, 1, 2);
    grid->addWidget(edFile_, 2, 0);
    grid->addWidget(browseFile, 2, 1);
    grid->addWidget(rbJukebox_, 3, 0, 1, 2);
    grid->addWidget(edFolder_, 4, 0);
    grid->addWidget(browseFolder, 4, 1);
    grid->setRowStretch(5, 1);
    return page;
}

int SoundDialog::SelectedEvent() const {
    return lbEvents_->currentRow();
}

int SoundDialog::SelectedSound() const {
    return lbSounds_->currentRow();
}

void SoundDialog::SelectEvent(int index) {
    lbEvents_->setCurrentRow(index);
    ShowSounds(0);
}

void SoundDialog::SelectSound(int index) {
    lbSounds_->setCurrentRow(index);
    UpdateButtons();
}

void SoundDialog::ShowSounds(int select) {
    lbSounds_->clear();
    const int event = SelectedEvent();
    if (event < 0) {
        UpdateButtons();
        return;
    }
    for (const std::string& file : events_.Files(event)) {
        lbSounds_->addItem(QString::fromStdString(file));
    }
    if (lbSounds_->count() > 0) {
        lbSounds_->setCurrentRow(std::clamp(select, 0, lbSounds_->count() - 1));
    }
    UpdateButtons();
}

void SoundDialog::UpdateButtons() {
    const int event = SelectedEvent();
    const bool selected = lbSounds_->currentRow() >= 0;
    bnAdd_->setEnabled(event >= 0 && events_.Files(event).size() < kMaxSoundsPerEvent);
    bnRemove_->setEnabled(selected);
    bnPlay_->setEnabled(selected);
    bnDefault_->setEnabled(event >= 0);
}

void SoundDialog::AddClick() {
    const int event = SelectedEvent();
    if (event < 0 || events_.Files(event).size() >= kMaxSoundsPerEvent || !services_.openFile) {
        return;
    }
    const QString chosen =
        services_.openFile(Tr(texts::kSelectSoundFile), QString(), Tr(texts::kSoundFilter));
    if (chosen.isEmpty()) {
        return;
    }
    std::vector<std::string> files = events_.Files(event);
    files.push_back(WithDefaultExtension(chosen, texts::kSoundExtension).toStdString());
    events_.SetFiles(event, files);
    ShowSounds(static_cast<int>(files.size()) - 1);
}

void SoundDialog::RemoveClick() {
    const int event = SelectedEvent();
    const int sound = SelectedSound();
    if (event < 0 || sound < 0) {
        return;
    }
    std::vector<std::string> files = events_.Files(event);
    if (sound >= static_cast<int>(files.size())) {
        return;
    }
    files.erase(files.begin() + sound);
    events_.SetFiles(event, files);
    // The selection stays in place, or moves to the last file.
    ShowSounds(std::min(sound, static_cast<int>(files.size()) - 1));
}

void SoundDialog::DefaultClick() {
    const int event = SelectedEvent();
    if (event < 0) {
        return;
    }
    events_.SetFiles(event, DefaultSoundFiles(event));
    ShowSounds(0);
}

void SoundDialog::PlayClick() {
    const int event = SelectedEvent();
    const int sound = SelectedSound();
    if (event < 0 || sound < 0 || sound >= static_cast<int>(events_.Files(event).size())) {
        return;
    }
    events_.PlayFile(events_.Files(event).at(static_cast<std::size_t>(sound)));
}

void SoundDialog::MusicFileClick() {
    if (!services_.openFile) {
        return;
    }
    const QString current = edFile_->text();
    const QString start = current.contains('/') ? QFileInfo(current).absolutePath() : QString();
    const QString chosen =
        services_.openFile(Tr(texts::kSelectMusicFile), start, Tr(texts::kMusicFilter));
    if (chosen.isEmpty()) {
        return;
    }
    // Shown as chosen: file names here tell capitals from small letters.
    edFile_->setText(WithDefaultExtension(chosen, texts::kMusicExtension));
    rbSingle_->setChecked(true);
}

void SoundDialog::JukeboxFolderClick() {
    if (!services_.chooseFolder) {
        return;
    }
    const QString chosen =
        services_.chooseFolder(Tr(texts::kSelectJukeboxFolder), edFolder_->text());
    if (chosen.isEmpty()) {
        return;
    }
    edFolder_->setText(chosen);
    rbJukebox_->setChecked(true);
}

MusicSettings SoundDialog::ChosenMusic() const {
    MusicSettings music;
    music.enabled = ckMusic_->isChecked();
    music.type = rbSingle_->isChecked() ? kMusicSingleFile : kMusicJukebox;
    music.file = edFile_->text().trimmed().toStdString();
    QString folder = edFolder_->text().trimmed();
    while (folder.size() > 1 && (folder.endsWith('/') || folder.endsWith('\\'))) {
        folder.chop(1);
    }
    music.folder = folder.toStdString();
    return music;
}

void SoundDialog::accept() {
    const MusicSettings music = ChosenMusic();
    SettingsFile::NamedValues values = {
        {kKeySound, ckSound_->isChecked()},
        {kKeyMusic, music.enabled},
        {kKeyMusicType, music.type},
        {kKeyMusicFile, QString::fromStdString(music.file)},
        {kKeyMusicDir, QString::fromStdString(music.folder)},
    };
    for (const auto& [name, file] : events_.StoredLists()) {
        values.emplace_back(QString::fromStdString(name), QString::fromStdString(file));
    }
    // One replacement of the file: the "Sound" group is emptied and written
    // anew together with the switches.
    try {
        store_.ReplaceGroup(QStringLiteral("Sound"), values);
    } catch (const SettingsError& e) {
        if (services_.error) {
            services_.error(e.Message());
        }
        return;
    }
    if (services_.apply) {
        services_.apply(ckSound_->isChecked(), music);
    }
    QDialog::accept();
}

bool SoundDialog::eventFilter(QObject* watched, QEvent* event) {
    // In the list of a event's sounds, Delete removes and Insert adds, each
    // only while its button could be pressed.
    if (watched == lbSounds_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Delete) {
            if (bnRemove_->isEnabled()) {
                RemoveClick();
            }
            return true;
        }
        if (key == Qt::Key_Insert) {
            if (bnAdd_->isEnabled()) {
                AddClick();
            }
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace varenta
