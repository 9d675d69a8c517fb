// Script verbs for the window's events: pages, the pointer, clicks, drags,
// keys and drawing the current page to a file. They call the same mouse,
// key and toolbar functions as the view.
#include <fstream>
#include <ostream>
#include <vector>

#include "commands/con_sub_commands.h"
#include "commands/key_dispatch.h"
#include "commands/mouse_input.h"
#include "commands/toolbar_commands.h"
#include "draw/page_drawing.h"
#include "draw/page_files.h"
#include "script/script_context.h"
#ifdef KEST_HAVE_PNG
#include "draw/png_export.h"
#endif

namespace kest {

namespace {

bool readPoint(const std::vector<std::string_view>& w, size_t at, int32_t& x, int32_t& y) {
  return w.size() > at + 1 && readCoordinate(w[at], x) && readCoordinate(w[at + 1], y);
}

}  // namespace

std::string pageVerb(ScriptContext& ctx, std::string_view arg) {
  static const struct {
    const char* name;
    int32_t command;
  } kPages[] = {{"help", kCommandHelp},
                {"info", kCommandInfo},
                {"lattice", kCommandDrawLattice},
                {"embedding", kCommandDrawEmbedding},
                {"con", kCommandComputedLatticePage},
                {"sub", kCommandComputedLatticePage}};
  for (const auto& page : kPages) {
    if (arg == page.name) {
      runToolbarCommand(ctx.ws, page.command, ctx.progress);
      return "";
    }
  }
  return "expected: page help, info, lattice, embedding, con or sub";
}

std::string pointerVerb(ScriptContext& ctx, std::string_view arg) {
  const std::vector<std::string_view> w = scriptWords(arg);
  int32_t x = 0;
  int32_t y = 0;
  if (w.size() != 2 || !readPoint(w, 0, x, y)) return "expected: pointer X Y";
  mouseMove(ctx.ws, x, y);
  return "";
}

std::string clickVerb(ScriptContext& ctx, std::string_view arg) {
  const std::vector<std::string_view> w = scriptWords(arg);
  int32_t x = 0;
  int32_t y = 0;
  if (w.size() != 3 || (w[0] != "left" && w[0] != "right") || !readPoint(w, 1, x, y)) {
    return "expected: click left X Y, or click right X Y";
  }
  mouseMove(ctx.ws, x, y);
  if (w[0] == "left") {
    leftButtonDown(ctx.ws, x, y);
    leftButtonUp(ctx.ws, x, y);
  } else {
    rightButtonDown(ctx.ws, x, y);
  }
  return "";
}

std::string dragVerb(ScriptContext& ctx, std::string_view arg) {
  const std::vector<std::string_view> w = scriptWords(arg);
  int32_t x1 = 0;
  int32_t y1 = 0;
  int32_t x2 = 0;
  int32_t y2 = 0;
  if (w.size() != 4 || !readPoint(w, 0, x1, y1) || !readPoint(w, 2, x2, y2)) return "expected: drag X1 Y1 X2 Y2";
  mouseMove(ctx.ws, x1, y1);
  leftButtonDown(ctx.ws, x1, y1);
  mouseMove(ctx.ws, x2, y2);
  leftButtonUp(ctx.ws, x2, y2);
  return "";
}

std::string pressVerb(ScriptContext& ctx, std::string_view arg) {
  static const struct {
    const char* name;
    int32_t code;
  } kKeys[] = {{"Space", ' '},
               {"Enter", 13},
               {"Tab", 9},
               {"Backspace", 8},
               {"Escape", 27},
               {"PageUp", kKeyPageUp},
               {"PageDown", kKeyPageDown},
               {"End", kKeyEnd},
               {"Home", kKeyHome},
               {"Left", kKeyLeft},
               {"Up", kKeyUp},
               {"Right", kKeyRight},
               {"Down", kKeyDown},
               {"Insert", kKeyInsert},
               {"Delete", kKeyDelete}};
  int32_t code = -1;
  if (arg.size() == 1) code = static_cast<unsigned char>(arg[0]);
  for (const auto& key : kKeys) {
    if (arg == key.name) code = key.code;
  }
  if (code < 0) return "expected: press KEY (one character, or a key name such as Enter or Down)";
  dispatchKey(ctx.ws, code, ctx.progress);
  return "";
}

std::string drawVerb(ScriptContext& ctx, std::string_view arg) {
  const std::vector<std::string_view> w = scriptWords(arg);
  int32_t width = 1200;
  int32_t height = 800;
  if (w.empty() || (w.size() != 1 && w.size() != 3)) return "expected: draw PATH [W H]";
  if (w.size() == 3 && (!readCoordinate(w[1], width) || !readCoordinate(w[2], height) || width < 1 || height < 1 ||
                        width > 20000 || height > 20000)) {
    return "expected a width and a height from 1 to 20000";
  }
  const std::string path(w[0]);
#ifdef KEST_HAVE_PNG
  const RasterWriter raster = writePagePng;
#else
  const RasterWriter raster = nullptr;
#endif
  // A file that cannot be written is said in a message line, as Save As
  // says it, and the script goes on.
  if (const PictureFailure failed = writePageFile(ctx.ws, path, width, height, raster);
      failed != PictureFailure::kNone) {
    ctx.ws.messages.setMessage(pictureFailureText(path, failed));
  }
  return "";
}

}  // namespace kest
