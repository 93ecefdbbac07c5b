#pragma once
// The item bar: the current item's number, the page's item count and the
// first twenty parameters, refreshed after every engine call.

#include <QLineEdit>
#include <QWidget>
#include <array>

#include "shell/item_bar_format.h"

namespace ts {
class Engine;
}

namespace ts::shell {

// The bar's edit controls for P1..P20, and the item field.
constexpr std::array<int, kItemBarParameters> kParameterControls{
    1037, 1032, 1020, 1022, 1034, 1038, 1019, 1021, 1023, 1024,
    1026, 1027, 1028, 1029, 1030, 1018, 1031, 1033, 1025, 1035};
constexpr int kItemControl = 1036;

class CItemBar : public QWidget {
 public:
  explicit CItemBar(QWidget* parent = nullptr);
  void refresh(const Engine& engine);
  QString fieldText(int control) const;

 private:
  QLineEdit* m_item;
  std::array<QLineEdit*, kItemBarParameters> m_params{};
  std::array<QLineEdit*, 3> m_texts{};
};

ItemBarRecord itemBarRecord(const Engine& engine);

}  // namespace ts::shell
