package com.brevanto.qovin.menu;

import java.util.ArrayList;
import java.util.List;

/**
 * A menu of the simulator. {@link #plugins()} is the simulator's plugins menu;
 * {@link #submenu(String)} hangs a new menu on a new item of a menu. Items are
 * {@link MenuItem}s, picked by the user; each may carry a check mark.
 *
 * <p>The menu holds a reference to each item it shows until the item is
 * removed, the menu cleared or destroyed.
 */
public final class XPlaneMenu {
    static {
        initialize();
    }

    // Check marks.
    public static final int NO_CHECK = 0;
    public static final int UNCHECKED = 1;
    public static final int CHECKED = 2;

    private static XPlaneMenu plugins;

    /** One line of the menu: an item, a separator or an item carrying a submenu. */
    private static final class Entry {
        final MenuItem item;  // null for separators and submenu carriers
        final long ref;        // the item's reference, 0 without an item
        XPlaneMenu submenu;

        Entry(MenuItem item, long ref) {
            this.item = item;
            this.ref = ref;
        }
    }

    private final long menuPtr;
    private final XPlaneMenu parent;
    private final List<Entry> entries = new ArrayList<>();
    private boolean destroyed;

    private XPlaneMenu(long menuPtr, XPlaneMenu parent) {
        this.menuPtr = menuPtr;
        this.parent = parent;
    }

    private XPlaneMenu(String name, XPlaneMenu parent, int parentItem) {
        this.parent = parent;
        this.menuPtr = createMenuN(name, parent.menuPtr, parentItem);
    }

    /** The simulator's plugins menu (this plugin's part of it). */
    public static synchronized XPlaneMenu plugins() {
        if (plugins == null) {
            plugins = new XPlaneMenu(findPluginsMenuN(), null);
        }
        return plugins;
    }

    /** The menu's handle, 0 if the simulator refused to make it. */
    public long handle() {
        return menuPtr;
    }

    /** Adds an item named {@code name} to this menu and hangs a new menu on it. */
    public synchronized XPlaneMenu submenu(String name) {
        Entry carrier = new Entry(null, 0);
        int index = appendMenuItemN(menuPtr, name, 0, false);
        entries.add(carrier);
        carrier.submenu = new XPlaneMenu(name, this, index);
        return carrier.submenu;
    }

    /** Adds {@code item} at the bottom; returns its index in this menu. */
    public synchronized int add(MenuItem item) {
        long ref = createMenuItemGlobalRef(item);
        int index = appendMenuItemN(menuPtr, item.getName(), ref, false);
        entries.add(new Entry(item, ref));
        return index;
    }

    /** Adds a separator line at the bottom. */
    public synchronized void addSeparator() {
        appendMenuSeparatorN(menuPtr);
        entries.add(new Entry(null, 0));
    }

    /** Removes the first placement of {@code item}; false if it is not in this menu. */
    public synchronized boolean remove(MenuItem item) {
        int index = indexOf(item);
        if (index < 0) {
            return false;
        }
        removeMenuItemN(menuPtr, entries.remove(index).ref, index);
        return true;
    }

    /** Removes every item, separator and submenu of this menu. */
    public synchronized void clear() {
        List<Long> refs = new ArrayList<>();
        for (Entry entry : entries) {
            if (entry.submenu != null) {
                entry.submenu.destroyKeepingCarrier();
            }
            if (entry.ref != 0) {
                refs.add(entry.ref);
            }
        }
        long[] itemPtrs = new long[refs.size()];
        for (int i = 0; i < itemPtrs.length; i++) {
            itemPtrs[i] = refs.get(i);
        }
        entries.clear();
        clearAllMenuItemsN(menuPtr, itemPtrs);
    }

    /** Sets the check mark of {@code item}: {@link #CHECKED}, {@link #UNCHECKED} or {@link #NO_CHECK}. */
    public synchronized void setCheck(MenuItem item, int checkState) {
        int index = indexOf(item);
        if (index >= 0) {
            setMenuItemCheckN(menuPtr, index, checkState);
        }
    }

    /** The check mark of {@code item}; {@link #NO_CHECK} if it is not in this menu. */
    public synchronized int getCheck(MenuItem item) {
        int index = indexOf(item);
        return index < 0 ? NO_CHECK : getMenuItemCheckN(menuPtr, index);
    }

    /** Flips the check mark of {@code item} between checked and unchecked; returns whether it is now checked. */
    public synchronized boolean toggleCheck(MenuItem item) {
        boolean checked = getCheck(item) != CHECKED;
        setCheck(item, checked ? CHECKED : UNCHECKED);
        return checked;
    }

    /** Clears this menu, destroys it and removes the item that carried it. */
    public synchronized void destroy() {
        if (destroyed || parent == null) {
            return;
        }
        destroyKeepingCarrier();
        parent.removeCarrier(this);
    }

    private void destroyKeepingCarrier() {
        if (destroyed) {
            return;
        }
        clear();
        destroyN(menuPtr);
        destroyed = true;
    }

    private synchronized void removeCarrier(XPlaneMenu child) {
        for (int i = 0; i < entries.size(); i++) {
            if (entries.get(i).submenu == child) {
                entries.remove(i);
                removeMenuItemN(menuPtr, 0, i);
                return;
            }
        }
    }

    private int indexOf(MenuItem item) {
        for (int i = 0; i < entries.size(); i++) {
            if (entries.get(i).item == item) {
                return i;
            }
        }
        return -1;
    }

    private static native void initialize();

    private static native long findPluginsMenuN();

    private native long createMenuN(String jname, long parentPtr, int parentItem);

    private static native void destroyN(long menuPtr);

    private static native long createMenuItemGlobalRef(MenuItem jmenuitem);

    private static native int appendMenuItemN(long menuPtr, String jname, long menuItemPtr, boolean forceEnglish);

    private static native void appendMenuSeparatorN(long menuPtr);

    private static native void removeMenuItemN(long menuPtr, long menuItemPtr, int idx);

    private static native void clearAllMenuItemsN(long menuPtr, long[] jitemPtrs);

    private static native void setMenuItemCheckN(long menuPtr, int menuItemIdx, int checkState);

    private static native int getMenuItemCheckN(long menuPtr, int menuItemIdx);
}
