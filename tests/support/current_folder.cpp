#include "support/current_folder.h"

#include <QDir>

ScopedCurrentFolder::ScopedCurrentFolder()
    : m_previous(QDir::currentPath())
{
    m_entered = m_folder.isValid() && QDir::setCurrent(m_folder.path());
}

ScopedCurrentFolder::~ScopedCurrentFolder()
{
    QDir::setCurrent(m_previous);
}
