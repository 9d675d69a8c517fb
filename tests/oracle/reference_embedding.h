// The plain embedding search, computing every one- and two-generated size
// of both algebras first (n^2 subuniverses).
#pragma once

#include <optional>

#include "core/workspace.h"
#include "structure/embedding.h"

namespace kest::oracle {

std::optional<GeneratedSizes> referenceGeneratedSizes(const Workspace& ws, int32_t k,
                                                      Progress& progress = noProgress());
std::vector<int32_t> referenceChooseGenerators(const Workspace& ws, int32_t a, const GeneratedSizes& sizes);
EmbeddingSearch referenceFindEmbedding(const Workspace& ws, int32_t a, int32_t b, Progress& progress = noProgress());

}  // namespace kest::oracle
