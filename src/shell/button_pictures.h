#pragma once
// The pictures of the buttons: the marks a button makes, drawn by the
// engine's own page drawing and painted by the page's renderer (so a button
// shows the treble clef the page will show), a desktop theme icon, or a
// short label, as the picture table says. Each picture is made the first
// time a button asks for it and kept; it holds pixmaps for ordinary and
// doubled display scaling, so it stays crisp at 200 %.

#include <QAction>
#include <QIcon>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "draw/page_drawing.h"
#include "shell/picture_table.h"

namespace ts {
class HostFiles;
}

namespace ts::shell {

constexpr int kButtonPictureSize = 24;  // logical pixels of a button's picture

class ButtonPictures {
 public:
  ButtonPictures(PictureTable table, const HostFiles& files, std::filesystem::path bundledLibrary);

  // Gives the action its picture, or its label when it has none.
  void decorate(QAction& action, const CommandRow& row);
  // The picture itself; a null icon when it is a label or cannot be drawn.
  QIcon iconFor(const Picture& picture);
  // Time spent making pictures so far.
  double milliseconds() const { return static_cast<double>(m_nanoseconds) / 1e6; }
  const PictureTable& table() const { return m_table; }

 private:
  QIcon drawnIcon(const PictureItems& items, bool onStaff);
  QImage paintItems(const PageStore& page, int scale);
  std::optional<PictureItems> itemsOf(const Picture& picture) const;

  PictureTable m_table;
  PageDrawer m_drawer;
  std::vector<int32_t> m_words;
  std::vector<char> m_text;
  std::map<std::string, QIcon> m_made;
  qint64 m_nanoseconds = 0;
};

}  // namespace ts::shell
