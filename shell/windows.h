#pragma once

#include <QString>

#include <functional>
#include <string>

class QWidget;

namespace qx {

class DialogService;
class TForm1;
class Tprjform;
class Tsettings;
class Tcnuform;
class Tcnwform;
class Tcnpform;
class Tcnwhform;
class Tcnbform;
class TForm2;
class TGeneral;
class TRulesText;
class UiStateFile;

// The windows of the run; they reach each other through this.
struct Windows {
    DialogService* dialogs = nullptr;
    TForm1* form1 = nullptr;
    Tprjform* prjform = nullptr;
    Tsettings* settings = nullptr;
    Tcnuform* cnuform = nullptr;
    Tcnwform* cnwform = nullptr;
    Tcnpform* cnpform = nullptr;
    Tcnwhform* cnwhform = nullptr;
    Tcnbform* cnbform = nullptr;
    TForm2* form2 = nullptr;
    TGeneral* general = nullptr;
    TRulesText* rulesText = nullptr;
    UiStateFile* uiState = nullptr;
};

// Runs one command; an error inside it ends the command with an error box
// of one line, whatever a damaged file put into the message.
void runCommand(DialogService& dialogs, const std::function<void()>& command);

void showToFront(QWidget* window);

// Keeps a window disabled while a command that changes the project runs.
class DisabledWhile {
public:
    explicit DisabledWhile(QWidget* window);
    ~DisabledWhile();
    DisabledWhile(const DisabledWhile&) = delete;
    DisabledWhile& operator=(const DisabledWhile&) = delete;

private:
    QWidget* window_;
};

inline QString fromUtf8(const std::string& text) { return QString::fromStdString(text); }
inline std::string toUtf8(const QString& text) { return text.toStdString(); }

}
