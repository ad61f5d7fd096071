#include "net/net_errors.h"

namespace {

QString fileErrorText(EFileError::Operation operation, const QString& fileName, const QString& reason)
{
    QString verb;
    switch (operation) {
    case EFileError::Operation::Create:
        verb = QStringLiteral("create");
        break;
    case EFileError::Operation::Open:
        verb = QStringLiteral("open");
        break;
    case EFileError::Operation::Read:
        verb = QStringLiteral("read");
        break;
    case EFileError::Operation::Write:
        verb = QStringLiteral("write");
        break;
    }
    return QStringLiteral("Cannot %1 file \"%2\". %3").arg(verb, fileName, reason);
}

} // namespace

ESockError::ESockError(const QString& message) : std::runtime_error(message.toStdString()) {}

EConvertError::EConvertError(const QString& message) : std::runtime_error(message.toStdString()) {}

EFileError::EFileError(Operation operation, const QString& fileName, const QString& reason)
    : std::runtime_error(fileErrorText(operation, fileName, reason).toStdString()), fileName_(fileName)
{
}
