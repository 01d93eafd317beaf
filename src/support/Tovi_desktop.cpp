#include "Tovi_desktop.h"

#include "Tovi_programfiles.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QFontInfo>
#include <QGroupBox>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QStringList>
#include <QUrl>

namespace
{
TDesktop gRealDesktop;
TDesktop* gDesktop = &gRealDesktop;
QPointer<QWidget> gMainWindow;

// "Text (*.txt)|*.txt|All (*.*)|*.*" to Qt's name filters; "*.*" means every file here.
QStringList NameFilters(const std::string& filter)
{
    const QStringList parts = TextToQt(filter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
    {
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ').replace("*.*", "*");
        QString description = parts[i];
        const qsizetype bracket = description.indexOf('(');
        if (bracket >= 0)
            description = description.left(bracket).trimmed();
        filters << QStringLiteral("%1 (%2)").arg(description, patterns);
    }
    return filters;
}

// A dialog waits for the user: it shows the normal pointer, also inside a busy command.
class TWaitingForUser
{
public:
    TWaitingForUser() : FActive(QApplication::overrideCursor() != nullptr)
    {
        if (FActive)
            QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~TWaitingForUser()
    {
        if (FActive)
            QApplication::restoreOverrideCursor();
    }
    TWaitingForUser(const TWaitingForUser&) = delete;
    TWaitingForUser& operator=(const TWaitingForUser&) = delete;

private:
    bool FActive;
};

bool ExecuteFileDialog(TFileDialogRequest& request, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(TDesktop::MainWindow(), TextToQt(request.Title));
    dialog.setAcceptMode(mode);
    const QStringList filters = NameFilters(request.Filter);
    dialog.setNameFilters(filters);
    if (request.FilterIndex >= 1 && request.FilterIndex <= filters.size())
        dialog.selectNameFilter(filters[request.FilterIndex - 1]);
    if (mode == QFileDialog::AcceptOpen)
        dialog.setFileMode(request.MustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    else
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.OverwritePrompt);
    if (!request.FileName.empty())
        dialog.selectFile(PathToQt(request.FileName));
    const TWaitingForUser waiting;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    request.FileName = PathFromQt(dialog.selectedFiles().constFirst());
    request.FilterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
    return true;
}

// Qt's own font dialog without its effects (underline, strike-out): the picker offers typeface,
// style and size only, and the preset's effects pass through unchanged.
void LeaveOutFontEffects(QFontDialog& dialog)
{
    const QList<QGroupBox*> groups = dialog.findChildren<QGroupBox*>();
    int height = 0;
    for (QGroupBox* group : groups)
    {
        if (group->findChildren<QCheckBox*>().isEmpty())
            continue;
        height = group->sizeHint().height();
        group->hide();
    }
    // The sample shares the effects' row; it keeps that row's height.
    for (QGroupBox* group : groups)
    {
        if (!group->isHidden())
            group->setMinimumHeight(height);
    }
}

QMessageBox::StandardButton ShowBox(QMessageBox::Icon icon, const std::string& text,
                                    QMessageBox::StandardButtons buttons)
{
    // Line breaks as "\n" only: a screen reader reads the text as lines, not with a stray "\r".
    QString shown = TextToQt(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(icon, QApplication::applicationDisplayName(), shown, buttons,
                    TDesktop::MainWindow());
    box.setTextFormat(Qt::PlainText);
    box.activateWindow();
    box.raise();
    const TWaitingForUser waiting;
    return static_cast<QMessageBox::StandardButton>(box.exec());
}
} // namespace

bool TDesktop::Confirm(const std::string& text)
{
    return ShowBox(QMessageBox::Warning, text, QMessageBox::Ok | QMessageBox::Cancel) ==
           QMessageBox::Ok;
}

void TDesktop::ShowError(const std::string& text)
{
    ShowBox(QMessageBox::Critical, text, QMessageBox::Ok);
}

void TDesktop::ShowMessage(const std::string& text)
{
    ShowBox(QMessageBox::NoIcon, text, QMessageBox::Ok);
}

bool TDesktop::ExecuteOpenDialog(TFileDialogRequest& request)
{
    return ExecuteFileDialog(request, QFileDialog::AcceptOpen);
}

bool TDesktop::ExecuteSaveDialog(TFileDialogRequest& request)
{
    return ExecuteFileDialog(request, QFileDialog::AcceptSave);
}

bool TDesktop::ExecuteColorDialog(QColor& color)
{
    const TWaitingForUser waiting;
    const QColor chosen = QColorDialog::getColor(color, MainWindow());
    if (!chosen.isValid())
        return false;
    color = chosen;
    return true;
}

bool TDesktop::ExecuteFontDialog(QFont& font)
{
    // Preset with the typeface the font really resolves to: an alias such as "Serif" lists
    // no bold styles in the dialog, which would then drop the font's boldness.
    QFont preset = font;
    preset.setFamily(QFontInfo(font).family());
    QFontDialog dialog(preset, MainWindow());
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    LeaveOutFontEffects(dialog);
    const TWaitingForUser waiting;
    if (dialog.exec() != QDialog::Accepted)
        return false;
    font = dialog.selectedFont();
    return true;
}

bool TDesktop::ExecuteDialog(QDialog& dialog)
{
    const TWaitingForUser waiting;
    return dialog.exec() == QDialog::Accepted;
}

bool TDesktop::OpenDocument(const std::string& path)
{
    // Built from the bytes, so that a name the locale cannot decode still names its file.
    const QByteArray bytes(path.data(), static_cast<qsizetype>(path.size()));
    return QDesktopServices::openUrl(QUrl::fromEncoded("file://" + bytes.toPercentEncoding("/")));
}

bool TDesktop::StartProgram(const std::string& program, const std::vector<std::string>& arguments)
{
    QStringList list;
    for (const std::string& argument : arguments)
        list << PathToQt(argument);
    return QProcess::startDetached(PathToQt(program), list);
}

void TDesktop::SetClipboardText(const std::string& text)
{
    QGuiApplication::clipboard()->setText(TextToQt(text));
}

void TDesktop::SetMainWindow(QWidget* window)
{
    gMainWindow = window;
}

QWidget* TDesktop::MainWindow()
{
    return gMainWindow.data();
}

void CentreOnMainWindow(QWidget& dialog)
{
    const QWidget* window = TDesktop::MainWindow();
    if (window == nullptr)
        return;
    // Before its first showing a dialog does not know its own size yet.
    dialog.adjustSize();
    dialog.move(window->frameGeometry().center() - dialog.rect().center());
}

TDesktop& Desktop()
{
    return *gDesktop;
}

void SetDesktop(TDesktop* desktop)
{
    gDesktop = desktop ? desktop : &gRealDesktop;
}
