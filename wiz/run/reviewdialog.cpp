#include "reviewdialog.h"

#include <QListWidget>
#include <QPushButton>

reviewDialog::reviewDialog(const QStringList &paths, QWidget *parent)
    : reviewDialogBase(parent)
{
    for (const QString &path : paths) {
        auto *item = new QListWidgetItem(path, fileList);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    connect(buttonReplace, &QPushButton::clicked, this, &QDialog::accept);
    connect(buttonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

QStringList reviewDialog::kept() const
{
    QStringList paths;
    for (int row = 0; row < fileList->count(); ++row) {
        const QListWidgetItem *item = fileList->item(row);
        if (result() != Accepted || item->checkState() != Qt::Checked)
            paths << item->text();
    }
    return paths;
}

QStringList reviewDialog::ask(const QStringList &paths, QWidget *parent)
{
    reviewDialog dialog(paths, parent);
    dialog.exec();
    return dialog.kept();
}
