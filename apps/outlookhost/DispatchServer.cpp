#include "apps/outlookhost/DispatchServer.h"

namespace telvane::outlookhost {

void NoSuchMember() {
    throw DispatchArguments::Failure{DISP_E_MEMBERNOTFOUND};
}

}  // namespace telvane::outlookhost
