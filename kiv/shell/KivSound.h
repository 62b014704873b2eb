// Wave sounds and looping background music. The table and the dialogs talk to
// the abstract SoundOutput; the program uses SdlSound, tests a recording fake.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

struct Mix_Chunk;
typedef struct _Mix_Music Mix_Music;

namespace kiv {

class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // Fire and forget; a new wave cuts off the one playing; failures are silent.
    virtual void PlayWave(const QString& name) = 0;
    // Starts `file` as endless background music; false when it cannot be played.
    virtual bool StartMusic(const QString& file) = 0;
    virtual void StopMusic() = 0;
    virtual bool MusicPlaying() const = 0;
};

// Folder of the program's read-only data for a program in `programDir`:
// share/kiv beside its bin/ folder when that holds the media (an installed
// copy), else the source tree's resources, so a build runs uninstalled.
QString DataFolderFor(const QString& programDir);
// The waves and music, and the help pages, of the running program's data
// folder. Relative file names are resolved against the media folder.
QString MediaFolder();
QString HelpFolder();

// `name` as a path: absolute names stay, relative ones are taken from the
// media folder.
QString ResolveMedia(const QString& name);

// True when `path` names a readable standard MIDI file.
bool LooksLikeMidiFile(const QString& path);
// Reads `path` (a regular file of a sane size only) into `bytes`; true when
// it is a standard MIDI file.
bool ReadMidiFile(const QString& path, QByteArray& bytes);

// SDL2_mixer: waves on one channel, MIDI on the music channel. When no audio
// device can be opened the object stays silent, and music "starts" exactly
// when the file is a MIDI file, so settings behave the same with and without
// sound hardware. The device is opened with the first sound, not at
// start-up; a missing one is told once, in one line on standard error, in
// the language of `languageBase`; the sound library's own complaints about
// it are kept off the terminal.
class SdlSound : public QObject, public SoundOutput {
    Q_OBJECT
public:
    explicit SdlSound(int languageBase = 1000);
    ~SdlSound() override;
    SdlSound(const SdlSound&) = delete;
    SdlSound& operator=(const SdlSound&) = delete;

    void PlayWave(const QString& name) override;
    bool StartMusic(const QString& file) override;
    void StopMusic() override;
    bool MusicPlaying() const override { return playing_; }

    // Whether the audio device is open (it opens with the first sound).
    bool HasAudio() const { return audioOpen_; }
    // How often the music was started again after it ended.
    int Restarts() const { return restarts_; }

public slots:
    // The piece has ended: start it again from the beginning.
    void OnMusicFinished();

private:
    bool Open();
    static void MusicFinishedHook();
    void FreeChunks();

    int languageBase_;
    bool triedOpen_ = false;
    bool audioOpen_ = false;
    bool playing_ = false;
    int restarts_ = 0;
    QString musicPath_;
    Mix_Music* music_ = nullptr;
    QByteArray musicBytes_; // what music_ plays from
    QList<QPair<QString, Mix_Chunk*>> chunks_;
};

} // namespace kiv
