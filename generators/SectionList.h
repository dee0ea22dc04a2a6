// The main window's sections that are built, in the order of its tabs, one
// line each: TRELVIX_SECTION(Name) binds the section whose module defines
// `void BindNameSection(PageContext&)`. Adding a section adds its one line
// here (see generators/README.md). No include guard: Sections.h and
// Sections.cpp each read the list with their own meaning of TRELVIX_SECTION.
TRELVIX_SECTION(System)
TRELVIX_SECTION(Install)
TRELVIX_SECTION(Pppoe)
TRELVIX_SECTION(RateLimit)
TRELVIX_SECTION(Firewall)
TRELVIX_SECTION(Vpn)
TRELVIX_SECTION(Ddns)
TRELVIX_SECTION(Scripts)
TRELVIX_SECTION(Tools)
