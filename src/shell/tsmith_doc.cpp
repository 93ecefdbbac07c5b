#include "shell/tsmith_doc.h"

#include <QDebug>
#include <QFile>

#include "shell/command_bridge.h"

namespace ts::shell {

bool CTSmithDoc::onOpenDocument(const QString& path) {
  m_path = path;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    qDebug("Can't open file %s, error = %u\n", qPrintable(path), static_cast<unsigned>(file.error()));
  file.close();
  return m_bridge.openPage(path.toStdString());
}

bool CTSmithDoc::onSaveDocument(const QString& path) {
  if (!m_bridge.savePage(path.toStdString())) return false;
  m_path = path;
  return true;
}

}  // namespace ts::shell
