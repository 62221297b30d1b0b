#include "app/ProfileFileChooser.h"

#include "ui/UiText.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace lumeno {

namespace {

// The chooser's size where the screen has room, and the share of the
// screen's free area it takes at most.
constexpr QSize kChooserSize{800, 520};
constexpr double kMostOfScreen = 0.9;
// Room for the window manager's frame, unknown before the dialog shows: a
// title bar above, a border around.
constexpr QMargins kFrameAllowance{8, 40, 8, 8};

// Centred on the parent (or the screen), whole on the parent's screen.
void FitToScreen(QFileDialog& dialog, QWidget* parent)
{
    QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry().marginsRemoved(kFrameAllowance);
    // No smaller than the dialog's own layout allows, never larger than
    // the screen.
    const QSize size =
        kChooserSize.boundedTo(QSize(int(area.width() * kMostOfScreen), int(area.height() * kMostOfScreen)))
            .expandedTo(dialog.minimumSizeHint())
            .boundedTo(area.size());
    QRect placed(QPoint(), size);
    placed.moveCenter(parent && parent->isVisible() ? parent->frameGeometry().center() : area.center());
    placed.moveLeft(std::clamp(placed.left(), area.left(), area.right() + 1 - size.width()));
    placed.moveTop(std::clamp(placed.top(), area.top(), area.bottom() + 1 - size.height()));
    dialog.setGeometry(placed);
}

std::optional<std::filesystem::path> Run(QFileDialog& dialog, QWidget* parent, const std::filesystem::path& start)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    FitToScreen(dialog, parent);
    dialog.setNameFilter(QString::fromUtf8(kProfileFileFilter));
    dialog.setDirectory(QString::fromStdString(start.parent_path().string()));
    dialog.selectFile(QString::fromStdString(start.filename().string()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return std::filesystem::path(dialog.selectedFiles().front().toStdString());
}

} // namespace

std::optional<std::filesystem::path> QtProfileFileChooser::ChooseImport(QWidget* parent,
                                                                        const std::filesystem::path& start)
{
    QFileDialog dialog(parent, QString::fromStdString(text_[kTextImportTitle]));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return Run(dialog, parent, start);
}

std::optional<std::filesystem::path> QtProfileFileChooser::ChooseExport(QWidget* parent,
                                                                        const std::filesystem::path& start)
{
    QFileDialog dialog(parent, QString::fromStdString(text_[kTextExportTitle]));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // A name typed without ".bin" gets it here, so overwriting the file that
    // will really be written is what the dialog asks about.
    dialog.setDefaultSuffix(QStringLiteral("bin"));
    return Run(dialog, parent, start);
}

} // namespace lumeno
