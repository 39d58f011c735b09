#include "QVTVConsent/model/JsonSerialisable.h"

#include "QVTVConsent/model/JsonTextWriter.h"

namespace qvtv {

void JsonSerialisable::writeJson(JsonTextWriter& writer) const { writer.value(toJson()); }

} // namespace qvtv
