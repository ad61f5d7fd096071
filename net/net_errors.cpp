#include "net/net_errors.h"

namespace {

QString fileErrorText(ELocalFileError::Operation operation, const QString& fileName, const QString& reason)
{
    QString verb;
    switch (operation) {
    case ELocalFileError::Operation::Create:
        verb = QStringLiteral("create");
        break;
    case ELocalFileError::Operation::Open:
        verb = QStringLiteral("open");
        break;
    case ELocalFileError::Operation::Read:
        verb = QStringLiteral("read");
        break;
    case ELocalFileError::Operation::Write:
        verb = QStringLiteral("write");
        break;
    }
    return QStringLiteral("Cannot %1 file \"%2\". %3").arg(verb, fileName, reason);
}

} // namespace

ESockError::ESockError(const QString& message) : std::runtime_error(message.toStdString()) {}

EConvertError::EConvertError(const QString& message) : std::runtime_error(message.toStdString()) {}

ELocalFileError::ELocalFileError(Operation operation, const QString& fileName, const QString& reason)
    : EFileError(fileName, fileErrorText(operation, fileName, reason))
{
}
