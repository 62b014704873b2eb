// Test doubles for the shell: a prompter that records and answers, and a
// sound output that records.
#pragma once

#include "kiv/shell/KivPrompter.h"
#include "kiv/shell/KivSound.h"

#include <QDialog>
#include <QStringList>
#include <QTemporaryDir>

#include <deque>
#include <functional>

namespace kiv {

class FakePrompter : public Prompter {
public:
    void Inform(QWidget*, const QString& text) override { informed.append(text); }
    bool Ask(QWidget*, const QString& text) override {
        asked.append(text);
        if (answers.empty()) {
            return defaultAnswer;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    int Run(QDialog& dialog) override {
        dialogs.append(dialog.windowTitle());
        return onDialog ? onDialog(dialog) : QDialog::Rejected;
    }

    QStringList informed;
    QStringList asked;
    QStringList dialogs;
    std::deque<bool> answers;
    bool defaultAnswer = false;
    std::function<int(QDialog&)> onDialog;
};

// A run-time folder of the test's own for the locks, so that no test leaves
// a lock in the user's; the old value is back when it goes.
class PrivateRuntimeFolder {
public:
    PrivateRuntimeFolder() : saved_(qgetenv("XDG_RUNTIME_DIR")) {
        qputenv("XDG_RUNTIME_DIR", folder_.path().toUtf8());
    }
    ~PrivateRuntimeFolder() { qputenv("XDG_RUNTIME_DIR", saved_); }
    PrivateRuntimeFolder(const PrivateRuntimeFolder&) = delete;
    PrivateRuntimeFolder& operator=(const PrivateRuntimeFolder&) = delete;
    QString Path() const { return folder_.path(); }

private:
    QByteArray saved_;
    QTemporaryDir folder_;
};

class FakeSound : public SoundOutput {
public:
    void PlayWave(const QString& name) override { waves.append(name); }
    bool StartMusic(const QString& file) override {
        starts.append(file);
        playing = LooksLikeMidiFile(ResolveMedia(file));
        return playing;
    }
    void StopMusic() override {
        ++stops;
        playing = false;
    }
    bool MusicPlaying() const override { return playing; }

    QStringList waves;
    QStringList starts;
    int stops = 0;
    bool playing = false;
};

} // namespace kiv
