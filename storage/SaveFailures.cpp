#include "storage/SaveFailures.h"

SaveFailures &SaveFailures::instance()
{
    static SaveFailures failures;
    return failures;
}
