#pragma once
// Everything the program does to the outside world besides the instrument link
// goes through this one seam: message boxes, file dialogs, the clock, the
// settings store and the busy pointer. The utility installs the Qt
// implementation (QtEnvironment); tests install a scripted one that records
// what was shown and answers as the test says. Ending the program is the
// ProgramEnd exception (AppError.h), which the top level turns into the exit.

#include <QDateTime>
#include <QString>

enum class MessageButtons { Ok, YesNo, RetryCancel };
enum class MessageIcon { None, Critical, Question, Exclamation, Information };
enum class MessageAnswer { Ok, Yes, No, Retry, Cancel };
enum class FileDialogKind { Open, Save };

struct FileChoice {
    QString title;
    FileDialogKind kind = FileDialogKind::Open;
    // In the "label|pattern|label|pattern" form; the first entry is selected.
    QString filter = QStringLiteral("All Files|*.*");
};

class Environment {
public:
    virtual ~Environment() = default;

    // A message box; an empty title shows the application title.
    virtual MessageAnswer ShowMessage(const QString& text, MessageButtons buttons, MessageIcon icon,
                                      const QString& title = {}) = 0;
    // A file choice: an open dialog requires an existing file, a save dialog
    // asks before overwriting; the read-only box is never shown. Returns the
    // chosen name, or an empty text when the operator cancelled.
    virtual QString ChooseFile(const FileChoice& choice) = 0;
    // The computer's local date and time.
    virtual QDateTime Now() const = 0;
    // One value of a section of the per-user settings store; the default when
    // it is not stored or is unreadable.
    virtual QString ReadSetting(const QString& section, const QString& name, const QString& defaultValue) = 0;
    virtual void WriteSetting(const QString& section, const QString& name, const QString& value) = 0;
    // The hourglass pointer while the instrument is asked something.
    virtual void SetBusy(bool busy) = 0;
};

// The environment in force; the program and each test install theirs.
Environment& Env();
void InstallEnvironment(Environment* environment);

// Shows the busy pointer for the life of the guard.
class BusyPointer {
public:
    BusyPointer() { Env().SetBusy(true); }
    ~BusyPointer() { Env().SetBusy(false); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

// The application title of untitled message boxes.
inline const QString ApplicationTitle = QStringLiteral("TR8 KZ Utility");
