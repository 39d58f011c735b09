#include "QVTVConsent/core/JsonSerialisable.h"

#include "QVTVConsent/core/JsonTextWriter.h"

namespace qvtv {

void JsonSerialisable::writeJson(JsonTextWriter& writer) const { writer.value(toJson()); }

} // namespace qvtv
