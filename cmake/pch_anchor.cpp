// The one source of each precompiled-header target: the header is made
// alongside it and reused by the kit's other targets.
