#include "ConfigComments.h"

#include "text/CommentLines.h"

bool ConfigComments::isWritersOwn(std::string_view line, std::size_t& next) {
    using C = ConfigComments;
    static const CommentLines kLines = {
        C::kHeader, C::kProtocol, C::kPreStat, C::kLogMethod, C::k16001, C::k16002, C::k16003,
        C::k16004,  C::k16005,    C::k16006,   C::k16007,     C::k16008, C::k16009, C::k16010,
        C::k16011,  C::k16012,    C::k16013,   C::k16014,     C::k16016, C::k16017, C::k16018,
        C::k16019,  C::k16020,    C::k16021,   C::k16022,     C::k16023, C::k16024, C::k16025,
        C::k16026,  C::k16027,    C::k16028,   C::k16029};
    return kLines.contains(line, next);
}
