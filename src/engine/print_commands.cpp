// "PR" and "PRPS": the engine hands its page and its drawing to the print
// command and shows what it answers.

#include <array>

#include "engine/engine.h"

namespace ts {

PrintDrawing Engine::printDrawing() {
  return [this](const PageStore& page, float unit, PathSink& sink) {
    // The sink takes every mark; the lists are only there for the drawer's sake.
    std::array<int32_t, 3> words{};
    std::array<char, 4> text{};
    int32_t used = 0, textUsed = 0;
    DisplayTarget target{words.data(), 0, &used, text.data(), 0, &textUsed};
    DrawRequest request;
    request.print = true;
    request.showInvisible = false;
    request.unit = unit;
    request.paper = m_paper;
    request.sink = &sink;
    return m_drawer.draw(page, request, target).warnings;
  };
}

void Engine::printCommand(const CommandLine& line) {
  const PrintPage page{m_page, m_pageName, m_unit, m_paper, m_customWidth, m_customHeight};
  const PrintReply reply = m_print.run(line, page, printDrawing());
  if (reply.failed) {
    fail(reply.message);
  } else {
    setMessage(reply.message);
  }
}

PrintedDocument Engine::printPostScript(const PrintOptions& options) {
  PrintOptions sized = options;
  sized.customWidth = m_customWidth;
  sized.customHeight = m_customHeight;
  const PrintPage page{m_page, m_pageName, m_unit, options.paper, m_customWidth, m_customHeight};
  return printDocument(page, sized, printDrawing(), m_print.pictureReader(), m_print.fontSetup(), "", "");
}

}  // namespace ts
