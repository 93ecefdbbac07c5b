#pragma once
// CTSmithDoc: the page as a document. It holds no page data: opening and
// saving ask the engine ("~~R" with the path, "~~W" with the path in the
// command buffer).

#include <QString>

namespace ts::shell {

class CommandBridge;

class CTSmithDoc {
 public:
  explicit CTSmithDoc(CommandBridge& bridge) : m_bridge(bridge) {}

  bool onOpenDocument(const QString& path);
  bool onSaveDocument(const QString& path);
  const QString& pathName() const { return m_path; }

 private:
  CommandBridge& m_bridge;
  QString m_path;
};

}  // namespace ts::shell
