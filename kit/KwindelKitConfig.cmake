# SPDX-FileCopyrightText: 2026 Brimsel
# SPDX-License-Identifier: LGPL-3.0-or-later
# find_package(KwindelKit) gives the target Kwindel::Kit.
include(CMakeFindDependencyMacro)
find_dependency(Qt6 COMPONENTS Widgets)
include("${CMAKE_CURRENT_LIST_DIR}/KwindelKitTargets.cmake")
