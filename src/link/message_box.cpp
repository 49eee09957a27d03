#include "link/message_box.h"

#include <QMessageBox>
#include <QString>

void ShowMessageBox(const std::string& text, QWidget* parent) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("KEVA Windows Client"),
                    QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                    QMessageBox::Ok, parent);
    box.exec();
}
