// The one workspace: the whole state of a session. It is created by the
// front end (window or script runner) and handed by reference to every
// operation; nothing in the system keeps a workspace of its own.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "core/algebra.h"
#include "core/algebra_view.h"
#include "core/input_mode.h"
#include "core/input_panel.h"
#include "core/lattice_space.h"
#include "core/messages.h"
#include "core/signature.h"
#include "core/term_store.h"

namespace kest {

class LatticeListing;
struct LatticeDiagram;

// The last congruence or subuniverse lattice listed, and the algebra it
// was listed from as it was then: the page acts on that algebra only while
// an algebra of the store has its identity and its tables have not
// changed. The diagram of its page is made when first drawn.
struct ComputedLattice {
  std::shared_ptr<const LatticeListing> listing;  // null when none was listed
  int32_t algebra = -1;                           // its number then
  uint64_t algebraId = 0;
  uint64_t fingerprint = 0;
  std::shared_ptr<LatticeDiagram> diagram;
  std::string notice;  // the page's line: what its last click did
};

struct Workspace {
  Workspace();

  // Signature, and the text it was last parsed from, as typed.
  Signature sig;
  std::string signatureText;

  TermStore terms;

  // Algebra store (at most kMaxAlgebras) and its marks (-1 none). A deque,
  // so that appending never moves an algebra: a command may hold a
  // reference to its source algebra while it appends the result.
  std::deque<Algebra> algebras;
  int32_t displayedCount = 0;
  int32_t redMarked = -1;
  int32_t greenMarked = -1;
  // The identity given to the last algebra appended (never reused).
  uint64_t lastAlgebraId = 0;

  // The size of the view the pages are drawn in (the window's, or the
  // picture's that a script draws).
  int32_t viewWidth = 1200;
  int32_t viewHeight = 800;

  // Layout values computed by relayout.
  int32_t displayedRowY = 30;
  int32_t hiddenRowY = 30;
  int32_t messageX = 18;
  int32_t messageY = 30;

  MessageLines messages;

  // Interaction state shared by the command executor and the view.
  InputMode inputMode = InputMode::kSignature;
  InputPanel panel;
  ComputedLattice lastLattice;
  int32_t keyTarget = -1;
  std::vector<int32_t> integerBuffer;
  int32_t polishNotation = 0;
  int32_t helpShown = 0;
  int32_t infoShown = 0;
  int32_t latticeShown = 0;
  int32_t computedLatticeShown = 0;  // the page of the last Con(A) or Sub(A)
  int32_t embeddingShown = 0;
  int32_t helpScrollX = 0;
  int32_t helpScrollY = 0;
  int32_t pageScrollX = 0;
  int32_t pageScrollY = 0;
  int32_t embeddingOffsetX = 0;
  int32_t embeddingOffsetY = 0;
  LatticeSpace space;
  EmbeddingSearchMemo embeddingMemo;
  int32_t pressMarked = 0;
  // The key b names an algebra to be written as a binary file; the front
  // end asks for the file name and clears the request.
  int32_t binarySaveRequest = -1;
  // A file of another tool (.ua, .mace4) read while its mapping panel is
  // open; Enter appends its algebras (commands/foreign_open.h).
  std::shared_ptr<struct PendingForeignFile> pendingForeignFile;
  // The free algebra over a partial algebra: the classes found by the last
  // closure of an algebra, and what each element of the input has become.
  std::vector<int32_t> classOf;
  std::vector<int32_t> generatorImage;
  // Last pointer position in page coordinates.
  int32_t pointerX = 0;
  int32_t pointerY = 0;
  // View positions of the last left-button press: on the normal page where
  // it hit no algebra (a drag scrolls from there), and on the drawings.
  int32_t scrollPressX = 0;
  int32_t scrollPressY = 0;
  int32_t drawingPressX = 0;
  int32_t drawingPressY = 0;

  int32_t algebraCount() const { return static_cast<int32_t>(algebras.size()); }
  bool validAlgebra(int32_t k) const { return k >= 0 && k < algebraCount(); }
  // Algebra k of the store (k must be valid).
  Algebra& algebra(int32_t k) { return algebras[static_cast<size_t>(k)]; }
  const Algebra& algebra(int32_t k) const { return algebras[static_cast<size_t>(k)]; }
  // Its tables, read-only, as the algorithms take them.
  AlgebraView view(int32_t k) const { return AlgebraView(algebra(k), sig); }
  TableLayout layout(int32_t k) const { return {algebra(k).card, sig.binaryCount, sig.unaryCount, sig.constantCount}; }
};

// The reset at the start of a session and inside New: empty store, no
// marks, default layout, and the signature prompt open in mode ' '.
void resetWorkspace(Workspace& ws);

// Fills the input panel with the twelve signature prompt lines and one field.
void showSignaturePrompt(Workspace& ws);

// Whether the signature prompt of a fresh session is still open: until
// the signature is entered, the commands that need one do nothing.
bool awaitingSignature(const Workspace& ws);

// Parses text as the signature (shorthands and flags rewritten in place)
// and rebuilds the term node table for it.
void parseSignature(Workspace& ws, std::string& text);

// The command New: clear everything, keep the signature; the panel stays
// closed.
void newWorkspace(Workspace& ws);

}  // namespace kest
