#include "app/ProfileFileChooser.h"

#include "ui/UiText.h"

#include <QFileDialog>

namespace lumeno {

namespace {

std::optional<std::filesystem::path> Run(QFileDialog& dialog, const std::filesystem::path& start)
{
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
    return Run(dialog, start);
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
    return Run(dialog, start);
}

} // namespace lumeno
