#include "common/file_dialogs.h"

#include "common/qt_operator.h"
#include "operator.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include <memory>

namespace mlgui {

namespace {

QFileDialog* makeDialog(const mlc::FileDialogRequest& request, QWidget* parent) {
    auto* dialog = new QFileDialog(parent, QString::fromStdString(request.title));
    dialog->setObjectName(QStringLiteral("FileDLG"));
    dialog->setAttribute(Qt::WA_DeleteOnClose, false);
    dialog->setNameFilters(nameFilters(request.filter));
    // The descriptions already name the patterns.
    dialog->setOption(QFileDialog::HideNameFilterDetails);
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
    const QString folder = QString::fromStdString(request.initialFolder);
    const QString proposed = QString::fromStdString(request.proposedName);
    dialog->setDirectory(folder.isEmpty() ? QDir::currentPath() : folder);
    if (!proposed.isEmpty())
        dialog->selectFile(QFileInfo(proposed).isAbsolute() ? proposed : QDir(folder).filePath(proposed));
    if (!request.defaultExtension.empty())
        dialog->setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    return dialog;
}

std::optional<std::string> run(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

} // namespace

QStringList nameFilters(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            patterns << pattern.toUpper();
            if (pattern.toLower() != pattern.toUpper())
                patterns << pattern.toLower();
        }
        filters << parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return filters;
}

QString saveTargetProblem(const QString& path) {
    const QFileInfo chosen(path);
    const QFileInfo folder(chosen.dir().path());
    if (!folder.isDir())
        return QStringLiteral("The folder %1 does not exist.").arg(folder.filePath());
    if (!folder.isWritable())
        return QStringLiteral("The folder %1 cannot be written.\nChoose another folder.")
            .arg(folder.filePath());
    if (chosen.exists() && !chosen.isWritable())
        return QStringLiteral("%1 is read-only.\nChoose another name.").arg(chosen.fileName());
    return {};
}

std::optional<std::string> QtFileDialogs::chooseFileToOpen(const mlc::FileDialogRequest& request,
                                                           QWidget* parent) {
    std::unique_ptr<QFileDialog> dialog(makeDialog(request, parent));
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    return run(*dialog);
}

std::optional<std::string> QtFileDialogs::chooseFileToSave(const mlc::FileDialogRequest& request,
                                                           QWidget* parent) {
    std::unique_ptr<QFileDialog> dialog(makeDialog(request, parent));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    for (;;) {
        const auto name = run(*dialog);
        if (!name)
            return std::nullopt;
        const QString problem = saveTargetProblem(QString::fromStdString(*name));
        if (problem.isEmpty())
            return name;
        QMessageBox::warning(parent, QString::fromLatin1(mlc::kProgramTitle), problem);
    }
}

} // namespace mlgui
