// GLUT's pop-up menus in the browser, as freeglut's behave for this
// program: a <div class="waterfall-menu"> holding one
// <div class="waterfall-menu-item"> per entry (the label as its text, byte
// for byte), placed at the pointer inside the window; its look is the
// page's. A click on an entry chooses it (the chosen menu current while its
// callback runs, the one before current again afterwards if it still
// exists); the opening press dragged onto an entry and released chooses it
// too; a press elsewhere or Escape closes it. Either way the scene is drawn
// again, as when freeglut's menu window goes. The browser's context menu is
// refused over the canvas and the pop-up while the program runs.
#include <GL/glut.h>
#include <emscripten/emscripten.h>

#include <cmath>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "web/glut/glut_internal.h"

namespace glut {

namespace {

constexpr double SELECT_SLOP_PX = 4;  // an opening press released nearer chooses nothing

struct Menu {
    void (*func)(int);
    std::vector<std::pair<std::string, int>> entries;  // label, value
};

std::map<int, Menu> menus;
std::map<int, int> attached;  // GLUT button -> menu
int nextMenu = 1;
int currentMenu = 0;

bool popupShown = false;
int openMenu = 0;
std::vector<int> openValues;  // the shown entries' values
double openX = 0;             // where it opened, CSS pixels of the viewport
double openY = 0;
bool pressInside = false;     // the last press began on the pop-up
int openingButton = -1;       // the button whose press opened it, until released

// The labels come NUL-separated; the pop-up goes into the full-screen
// element when there is one (anything else is hidden then).
EM_JS(void, show_popup, (const char* labels, int length, double x, double y), {
    var texts = new TextDecoder('utf-8').decode(HEAPU8.subarray(labels, labels + length)).split(String.fromCharCode(0));
    texts.pop();
    var popup = document.createElement('div');
    popup.className = 'waterfall-menu';
    popup.setAttribute('role', 'menu');
    texts.forEach(function(text) {
        var item = document.createElement('div');
        item.className = 'waterfall-menu-item';
        item.setAttribute('role', 'menuitem');
        item.textContent = text;
        popup.appendChild(item);
    });
    var holder = document.fullscreenElement || document.body;
    var scrollX = holder === document.body ? window.scrollX : 0;
    var scrollY = holder === document.body ? window.scrollY : 0;
    popup.style.position = 'absolute';
    popup.style.left = (x + scrollX) + 'px';
    popup.style.top = (y + scrollY) + 'px';
    holder.appendChild(popup);
    // Kept inside the window: moved left or up where it would overflow.
    var box = popup.getBoundingClientRect();
    var overRight = box.right - document.documentElement.clientWidth;
    var overBottom = box.bottom - document.documentElement.clientHeight;
    if (overRight > 0) popup.style.left = Math.max(0, x - overRight) + scrollX + 'px';
    if (overBottom > 0) popup.style.top = Math.max(0, y - overBottom) + scrollY + 'px';
});

EM_JS(void, hide_popup, (), {
    document.querySelectorAll('.waterfall-menu').forEach(function(popup) { popup.remove(); });
});

// -2: the point is not on the pop-up; -1: on it, between entries; else the
// entry's index.
EM_JS(int, popup_hit, (double x, double y), {
    var element = document.elementFromPoint(x, y);
    var popup = element && element.closest('.waterfall-menu');
    if (!popup) return -2;
    var item = element.closest('.waterfall-menu-item');
    return item ? Array.prototype.indexOf.call(popup.children, item) : -1;
});

EM_JS(void, refuse_context_menu, (int on), {
    var refuse = Module['waterfallRefuseContextMenu'];
    if (!refuse) {
        refuse = Module['waterfallRefuseContextMenu'] = function(event) {
            var target = event.target;
            if (target === Module['canvas'] || (target.closest && target.closest('.waterfall-menu'))) {
                event.preventDefault();
            }
        };
    }
    if (on) window.addEventListener('contextmenu', refuse, true);
    else window.removeEventListener('contextmenu', refuse, true);
});

bool refusing = false;

// The scene is drawn again after the callback, which changes what it shows.
void choose(int menu, int value) {
    if (popupShown) hide_popup();
    popupShown = false;
    later([menu, value] {
        auto found = menus.find(menu);
        if (found != menus.end()) {
            const int before = currentMenu;
            currentMenu = menu;
            found->second.func(value);
            currentMenu = menus.count(before) ? before : 0;
        }
        glutPostRedisplay();
    });
}

}  // namespace

bool popupOpen() { return popupShown; }

void openPopup(int menu, double clientX, double clientY) {
    closePopup();
    auto found = menus.find(menu);
    if (found == menus.end() || ended) return;
    std::string labels;
    openValues.clear();
    for (const auto& entry : found->second.entries) {
        labels += entry.first;
        labels += '\0';
        openValues.push_back(entry.second);
    }
    show_popup(labels.data(), static_cast<int>(labels.size()), clientX, clientY);
    popupShown = true;
    openMenu = menu;
    openX = clientX;
    openY = clientY;
}

void closePopup() {
    if (!popupShown) return;
    hide_popup();
    popupShown = false;
    glutPostRedisplay();
}

int attachedMenu(int button) {
    auto found = attached.find(button);
    return found != attached.end() && menus.count(found->second) ? found->second : 0;
}

void noteOpeningPress(int button) { openingButton = button; }

bool popupPress(double clientX, double clientY) {
    pressInside = popupShown && popup_hit(clientX, clientY) != -2;
    return pressInside;
}

bool popupRelease(int button, double clientX, double clientY) {
    const bool opening = openingButton == button;
    if (opening) openingButton = -1;
    const int hit = popupShown ? popup_hit(clientX, clientY) : -2;
    if (hit == -2) {
        // The release of a press the menu took is not the program's either.
        return opening;
    }
    const bool moved = std::fabs(clientX - openX) + std::fabs(clientY - openY) > SELECT_SLOP_PX;
    if (hit >= 0 && hit < static_cast<int>(openValues.size()) && (pressInside || (opening && moved))) {
        choose(openMenu, openValues[static_cast<size_t>(hit)]);
    }
    pressInside = false;
    return true;
}

void endMenus() {
    if (popupShown) hide_popup();
    popupShown = false;
    menus.clear();
    attached.clear();
    currentMenu = 0;
    if (refusing) refuse_context_menu(0);
    refusing = false;
}

}  // namespace glut

using namespace glut;

int glutCreateMenu(void (*func)(int)) {
    if (!refusing && !ended) {
        refuse_context_menu(1);
        refusing = true;
    }
    const int id = nextMenu++;
    menus[id] = Menu{func, {}};
    currentMenu = id;
    return id;
}

void glutAddMenuEntry(const char* label, int value) {
    auto found = menus.find(currentMenu);
    if (found != menus.end()) found->second.entries.emplace_back(label, value);
}

void glutAttachMenu(int button) {
    if (menus.count(currentMenu)) attached[button] = currentMenu;
}

void glutDetachMenu(int button) { attached.erase(button); }

void glutSetMenu(int menu) {
    if (menus.count(menu)) currentMenu = menu;
}

int glutGetMenu() { return currentMenu; }

// As freeglut: the menu leaves every button it was attached to, and when it
// was the current one no menu is current any more.
void glutDestroyMenu(int menu) {
    if (!menus.count(menu)) return;
    if (popupShown && openMenu == menu) closePopup();
    menus.erase(menu);
    for (auto it = attached.begin(); it != attached.end();) {
        it = it->second == menu ? attached.erase(it) : std::next(it);
    }
    if (currentMenu == menu) currentMenu = 0;
}
