#include "Commands.h"
#include "LabelNumber.h"

#include <iostream>

namespace vell3::cli {

// vell3-cli label CUSTID SERIAL
int RunLabel(CliContext& context) {
    if (context.args.size() != 2) {
        std::cerr << "usage: vell3-cli label CUSTID SERIAL\n";
        return kExitUsage;
    }
    std::string customerId = context.args[0];
    std::erase(customerId, '-');
    const std::string number = BuildLabelNumber(customerId, context.args[1]);
    std::cout << number << '\n' << GroupLabelNumber(number) << '\n';
    return kExitOk;
}

} // namespace vell3::cli
