#pragma once
// The request executor: carries out the request in the mailbox through the ECU
// link and the block writers, refreshes the pages that show the changed data,
// shows one dictionary text per failed step and empties the slot.
#include <cstdint>

namespace MDIFrm {

// Called by the link timer in STATO_ESECUZIONE; reads the code once at entry.
// Any error escaping a step ends the request: the failure text is shown once
// and the slot emptied, so the user learns the action was not carried out.
void EseguiRichiesta();

} // namespace MDIFrm
