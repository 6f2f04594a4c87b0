#include "transfer/transfer_command.h"
// placeholder: the transfer lands with its own change
namespace wexa {
void TransferLine() {}
}
