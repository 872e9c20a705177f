#include "ports/com_mapping.h"

#include "link/port_names.h"

#include <QFile>
#include <QFileInfo>

using namespace telvaro::link;

namespace telvaro::ports {

Assignment assignComName(int number, const QString &device, const PortFolders &folders)
{
    Assignment assignment;
    assignment.kind = deviceKindOf(device);
    // A name that leads nowhere a logger can be would only make every later exchange fail.
    if (assignment.kind != DeviceKind::SerialDevice) {
        assignment.result = Assignment::Result::NoSerialDevice;
        return assignment;
    }
    const QFileInfo given(device);
    assignment.target = given.absoluteFilePath();
    if (!given.isSymLink()) {
        if (const QString stable = stablePathOf(device, folders.byId); !stable.isEmpty())
            assignment.target = stable;
    }
    const QFileInfo existing(PortNames::linkPath(number, folders.ports));
    if (existing.exists() && !existing.isSymLink()) {
        assignment.result = Assignment::Result::NotALink;
        assignment.error = existing.absoluteFilePath();
        return assignment;
    }
    assignment.result = PortNames::mapPort(number, assignment.target, folders.ports, &assignment.error)
                            ? Assignment::Result::Assigned
                            : Assignment::Result::Failed;
    return assignment;
}

Removal removeComName(int number, const PortFolders &folders)
{
    Removal removal;
    const QFileInfo link(PortNames::linkPath(number, folders.ports));
    if (link.isSymLink()) {
        removal.target = link.symLinkTarget();
        QFile file(link.absoluteFilePath());
        if (file.remove()) {
            removal.result = Removal::Result::Removed;
        } else {
            removal.result = Removal::Result::Failed;
            removal.error = file.errorString();
        }
    } else if (link.exists()) {
        removal.result = Removal::Result::NotALink;
        removal.target = link.absoluteFilePath();
    } else {
        removal.result = Removal::Result::NotMapped;
        removal.target = PortNames::deviceFor(number, folders.ports);
    }
    return removal;
}

} // namespace telvaro::ports
