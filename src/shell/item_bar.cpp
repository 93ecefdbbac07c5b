#include "shell/item_bar.h"

#include <QGridLayout>
#include <QLabel>

#include "engine/engine.h"

namespace ts::shell {
namespace {

constexpr std::array<const char*, 11> kCaptions{" Item #", " P1/11", " P2/12", " P3/13", " P4/14", " P5/15",
                                                " P6/16", " P7/17", " P8/18", " P9/19", "P10/20"};

QLineEdit* readOnlyField(QWidget* parent, int control) {
  auto* field = new QLineEdit(parent);
  field->setReadOnly(true);
  field->setFocusPolicy(Qt::NoFocus);
  field->setObjectName(QStringLiteral("field%1").arg(control));
  field->setMinimumWidth(64);
  return field;
}

}  // namespace

ItemBarRecord itemBarRecord(const Engine& engine) {
  ItemBarRecord record;
  record.itemCount = engine.page().itemCount();
  if (!engine.editing()) return record;
  record.item = engine.currentItem();
  const WorkingRecord& working = engine.editRecord();
  for (int p = 0; p < kItemBarParameters && p < static_cast<int>(working.size()); ++p) record.params[p] = working[p];
  return record;
}

CItemBar::CItemBar(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("itemBar"));
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(2, 2, 2, 2);
  grid->setSpacing(2);
  for (int column = 0; column < static_cast<int>(kCaptions.size()); ++column)
    grid->addWidget(new QLabel(QString::fromLatin1(kCaptions[column]), this), 0, column);
  m_item = readOnlyField(this, kItemControl);
  grid->addWidget(m_item, 1, 0);
  // The first ten parameters on the first row, the second ten below them:
  // each column shows both of the parameters its caption names.
  for (int p = 0; p < kItemBarParameters; ++p) {
    m_params[p] = readOnlyField(this, kParameterControls[p]);
    grid->addWidget(m_params[p], 1 + p / 10, 1 + p % 10);
  }
  for (int t = 0; t < 3; ++t) {
    m_texts[t] = readOnlyField(this, 0);
    m_texts[t]->setObjectName(QStringLiteral("itemText%1").arg(t + 1));
    grid->addWidget(m_texts[t], 3, t * 3, 1, 3);
  }
}

void CItemBar::refresh(const Engine& engine) {
  const ItemBarTexts texts = itemBarTexts(itemBarRecord(engine));
  m_item->setText(QString::fromStdString(texts.item));
  for (int p = 0; p < kItemBarParameters; ++p) m_params[p]->setText(QString::fromStdString(texts.params[p]));
  m_texts[0]->setText(QString::fromStdString(engine.pageName()));
  m_texts[1]->setText(QString::fromStdString(engine.editText()));
  m_texts[2]->setText(engine.editing() ? QStringLiteral("editing") : QString());
}

QString CItemBar::fieldText(int control) const {
  if (control == kItemControl) return m_item->text();
  for (int p = 0; p < kItemBarParameters; ++p)
    if (kParameterControls[p] == control) return m_params[p]->text();
  return {};
}

}  // namespace ts::shell
