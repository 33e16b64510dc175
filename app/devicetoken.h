#pragma once

#include <QString>

// The identifier of this computer that the service binds accounts to. On
// Windows it is the first physical disk's serial number; elsewhere the
// machine id. Empty when it cannot be read.
namespace DeviceToken {

QString compute();

} // namespace DeviceToken
