#pragma once

// A catalogue header that reaches into the export library: the layer check must reject it.
#include "export/ImageSaver.h"
