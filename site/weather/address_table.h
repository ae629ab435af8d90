#pragma once

// The operator's table that places a client's IPv4 address in a province and
// city: one network a line, "a.b.c.d/bits province city" (GBK, separated by
// spaces or tabs), "#" starting a comment. Lines that do not read so are
// skipped.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct AddressPlace {
    std::string province;
    std::string city;

    friend bool operator==(const AddressPlace&, const AddressPlace&) = default;
};

// "a.b.c.d" as a number, each part 0-255 in decimal; also in the IPv4-mapped
// IPv6 form "::ffff:a.b.c.d" a dual-stack listener reports.
std::optional<std::uint32_t> ParseIpv4Address(std::string_view text);

class AddressTable {
public:
    // The table of `text`, any bytes.
    static AddressTable Parse(std::string_view text);

    // The place of the most specific network holding `address` (the first
    // such line on a tie); nullopt when none does.
    std::optional<AddressPlace> Find(std::uint32_t address) const;

    std::size_t size() const { return networks_.size(); }

private:
    struct Network {
        std::uint32_t base = 0;  // the address with its host bits cleared
        int bits = 0;            // 0-32
        AddressPlace place;
    };
    std::vector<Network> networks_;
};
