#include "framework/common_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>

#include <iostream>

#include "framework/application.h"
#include "framework/automation_state.h"
#include "framework/qt_internal.h"

namespace curvelo::fw {
namespace {

QWidget* ParentWidget(TWindow* parent) {
    WindowImpl* i = WindowImpl::Of(parent);
    return i ? i->TopLevel()->top.data() : nullptr;
}

std::vector<std::string> SplitPatterns(const std::string& s) {
    std::vector<std::string> out;
    std::string cur;
    for (char c : s) {
        if (c == ';' || c == ' ') {
            if (!cur.empty()) out.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.empty()) out.push_back(cur);
    return out;
}

QString QtFilter(const FileFilter& f) {
    QString patterns;
    for (const std::string& p : f.patterns) {
        if (!patterns.isEmpty()) patterns += ' ';
        patterns += ToQ(p);
    }
    return ToQ(f.description) + " (" + patterns + ")";
}

// Adds the default extension when the chosen name has none.
std::string WithDefaultExt(const std::string& path, const std::string& ext) {
    if (ext.empty()) return path;
    QFileInfo info(ToQ(path));
    if (!info.suffix().isEmpty()) return path;
    return path + "." + ext;
}

bool RunFileDialog(TWindow* parent, FileDialogOptions& options, bool save) {
    if (auto& hook = detail::FileDialogHookSlot()) return hook(save, options);
    if (BatchMode()) return false;
    std::vector<FileFilter> filters = ParseFilterString(options.filter);
    QStringList names;
    for (const FileFilter& f : filters) names << QtFilter(f);
    QFileDialog dialog(ParentWidget(parent), ToQ(options.title));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : (options.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile));
    if (!names.isEmpty()) {
        dialog.setNameFilters(names);
        int index = options.filterIndex - 1;
        if (index >= 0 && index < names.size()) dialog.selectNameFilter(names[index]);
    }
    if (!options.defaultExt.empty()) dialog.setDefaultSuffix(ToQ(options.defaultExt));
    if (save && !options.overwritePrompt) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!options.fileName.empty()) {
        QFileInfo info(ToQ(options.fileName));
        if (info.isDir()) dialog.setDirectory(info.absoluteFilePath());
        else {
            if (!info.path().isEmpty() && info.path() != ".") dialog.setDirectory(info.path());
            dialog.selectFile(info.fileName());
        }
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    options.fileName = WithDefaultExt(FromQ(dialog.selectedFiles().first()), options.defaultExt);
    int chosen = static_cast<int>(names.indexOf(dialog.selectedNameFilter()));
    if (chosen >= 0) options.filterIndex = chosen + 1;
    return true;
}

// Room in a title bar besides the caption: the window manager's icon and buttons.
constexpr int kTitleButtonsRoom = 140;

// A box with a short text would be narrower than its caption, which the title bar then cuts.
void FitCaption(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid) return;
    QFont title = box.font();
    title.setBold(true);  // title fonts are commonly bold, and wider
    const int need = QFontMetrics(title).horizontalAdvance(box.windowTitle()) + kTitleButtonsRoom;
    grid->addItem(new QSpacerItem(need, 0, QSizePolicy::Fixed, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                  std::max(1, grid->columnCount()));
}

}  // namespace

std::vector<FileFilter> ParseFilterString(std::string_view filters) {
    std::vector<std::string> parts;
    std::string cur;
    for (char c : filters) {
        if (c == '|') {
            parts.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.empty()) parts.push_back(cur);
    std::vector<FileFilter> out;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        FileFilter f{parts[i], SplitPatterns(parts[i + 1])};
        if (f.patterns.empty()) continue;
        out.push_back(std::move(f));
    }
    return out;
}

bool OpenFileDialog(TWindow* parent, FileDialogOptions& options) { return RunFileDialog(parent, options, false); }
bool SaveFileDialog(TWindow* parent, FileDialogOptions& options) { return RunFileDialog(parent, options, true); }

bool ChooseFont(TWindow* parent, LogFont& font, Color*) {
    if (auto& hook = detail::FontDialogHookSlot()) return hook(font);
    if (BatchMode()) return false;
    QWidget* w = ParentWidget(parent);
    int dpi = w ? w->logicalDpiY() : 96;
    bool ok = false;
    QFont chosen = QFontDialog::getFont(&ok, QFontFromLogFont(font, dpi), w, QStringLiteral("Betűtípus"));
    if (!ok) return false;
    LogFont f = LogFontFromQFont(chosen, dpi);
    f.escapement = font.escapement;
    f.orientation = font.orientation;
    f.charSet = font.charSet;
    font = f;
    return true;
}

int MessageBox(TWindow* parent, const std::string& text, const std::string& caption, unsigned kind) {
    if (auto& hook = detail::MessageBoxHookSlot()) return hook(text, caption, kind);
    if (BatchMode()) {
        std::cerr << caption << ": " << text << '\n';
        return (kind & 0x0Fu) == kMbOk ? kIdOk : kIdCancel;
    }
    QMessageBox box(ParentWidget(parent));
    box.setWindowTitle(ToQ(caption));
    box.setText(ToQ(text));
    switch (kind & 0xF0u) {
        case kMbIconError: box.setIcon(QMessageBox::Critical); break;
        case kMbIconQuestion: box.setIcon(QMessageBox::Question); break;
        case kMbIconWarning: box.setIcon(QMessageBox::Warning); break;
        case kMbIconInformation: box.setIcon(QMessageBox::Information); break;
        default: break;
    }
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
    QPushButton* yes = nullptr;
    QPushButton* no = nullptr;
    switch (kind & 0x0Fu) {
        case kMbOkCancel:
            ok = box.addButton(QStringLiteral("ok"), QMessageBox::AcceptRole);
            cancel = box.addButton(QStringLiteral("mégse"), QMessageBox::RejectRole);
            break;
        case kMbYesNoCancel:
            yes = box.addButton(QStringLiteral("igen"), QMessageBox::YesRole);
            no = box.addButton(QStringLiteral("nem"), QMessageBox::NoRole);
            cancel = box.addButton(QStringLiteral("mégse"), QMessageBox::RejectRole);
            break;
        case kMbYesNo:
            yes = box.addButton(QStringLiteral("igen"), QMessageBox::YesRole);
            no = box.addButton(QStringLiteral("nem"), QMessageBox::NoRole);
            break;
        default:
            ok = box.addButton(QStringLiteral("ok"), QMessageBox::AcceptRole);
            break;
    }
    box.setEscapeButton(cancel ? cancel : (ok ? ok : nullptr));
    FitCaption(box);
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    if (clicked && clicked == yes) return kIdYes;
    if (clicked && clicked == no) return kIdNo;
    if (clicked && clicked == ok) return kIdOk;
    if (!cancel && ok) return kIdOk;
    return kIdCancel;
}

}  // namespace curvelo::fw
