// Replaced by the host units.
