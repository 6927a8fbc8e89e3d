/* Interposes the allocator, the pthread locks and the common blocking calls
 * for the whole process (the executable's definitions come first in symbol
 * look-up, and interpose.list exports them to the plug-ins loaded later).
 * Each one records a violation when the calling thread is inside an
 * RtScope, then does what the C library does. Sanitizer builds keep their
 * own interceptors, so there this file defines nothing. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <semaphore.h>
#include <stdarg.h>
#include <stddef.h>
#include <stdio.h>
#include <sys/mman.h>
#include <sys/select.h>
#include <time.h>
#include <unistd.h>

#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || __has_feature(memory_sanitizer)
#define PLUGHOST_NO_INTERPOSE 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define PLUGHOST_NO_INTERPOSE 1
#endif

#ifndef PLUGHOST_NO_INTERPOSE

/* Kinds, as in RtMonitor.h. */
enum
{
	K_ALLOC,
	K_FREE,
	K_LOCK,
	K_WAIT,
	K_SLEEP,
	K_FILEIO,
	K_OTHER
};

int plughost_rt_in_scope(void);
void plughost_rt_record(int kind, const char *fn);
void plughost_rt_set_available(void);

extern void *__libc_malloc(size_t);
extern void *__libc_calloc(size_t, size_t);
extern void *__libc_realloc(void *, size_t);
extern void __libc_free(void *);
extern void *__libc_memalign(size_t, size_t);
extern void *__libc_valloc(size_t);
extern void *__libc_pvalloc(size_t);

/* The build hides symbols by default; these must be seen by the plug-ins. */
#pragma GCC visibility push(default)

#define CHECK(kind, name)                                                                                \
	do                                                                                                   \
	{                                                                                                    \
		if (plughost_rt_in_scope())                                                                      \
			plughost_rt_record(kind, name);                                                              \
	} while (0)

/* The next definition of a function (the C library's), found once. */
#define REAL(ret, name, params)                                                                          \
	static ret(*real_##name) params;                                                                     \
	static ret(*get_##name(void)) params                                                                 \
	{                                                                                                    \
		if (real_##name == NULL)                                                                         \
			real_##name = (ret(*) params)dlsym(RTLD_NEXT, #name);                                        \
		return real_##name;                                                                              \
	}

void *malloc(size_t n)
{
	CHECK(K_ALLOC, "malloc");
	return __libc_malloc(n);
}

void *calloc(size_t a, size_t b)
{
	CHECK(K_ALLOC, "calloc");
	return __libc_calloc(a, b);
}

void *realloc(void *p, size_t n)
{
	CHECK(K_ALLOC, "realloc");
	return __libc_realloc(p, n);
}

void free(void *p)
{
	if (p != NULL)
		CHECK(K_FREE, "free");
	__libc_free(p);
}

void *memalign(size_t align, size_t n)
{
	CHECK(K_ALLOC, "memalign");
	return __libc_memalign(align, n);
}

void *aligned_alloc(size_t align, size_t n)
{
	CHECK(K_ALLOC, "aligned_alloc");
	return __libc_memalign(align, n);
}

void *valloc(size_t n)
{
	CHECK(K_ALLOC, "valloc");
	return __libc_valloc(n);
}

void *pvalloc(size_t n)
{
	CHECK(K_ALLOC, "pvalloc");
	return __libc_pvalloc(n);
}

int posix_memalign(void **out, size_t align, size_t n)
{
	CHECK(K_ALLOC, "posix_memalign");
	if (align < sizeof(void *) || (align & (align - 1)) != 0)
		return EINVAL;
	void *p = __libc_memalign(align, n);
	if (p == NULL)
		return ENOMEM;
	*out = p;
	return 0;
}

REAL(int, pthread_mutex_lock, (pthread_mutex_t *))
int pthread_mutex_lock(pthread_mutex_t *m)
{
	CHECK(K_LOCK, "pthread_mutex_lock");
	return get_pthread_mutex_lock()(m);
}

REAL(int, pthread_mutex_timedlock, (pthread_mutex_t *, const struct timespec *))
int pthread_mutex_timedlock(pthread_mutex_t *m, const struct timespec *t)
{
	CHECK(K_LOCK, "pthread_mutex_timedlock");
	return get_pthread_mutex_timedlock()(m, t);
}

REAL(int, pthread_rwlock_rdlock, (pthread_rwlock_t *))
int pthread_rwlock_rdlock(pthread_rwlock_t *l)
{
	CHECK(K_LOCK, "pthread_rwlock_rdlock");
	return get_pthread_rwlock_rdlock()(l);
}

REAL(int, pthread_rwlock_wrlock, (pthread_rwlock_t *))
int pthread_rwlock_wrlock(pthread_rwlock_t *l)
{
	CHECK(K_LOCK, "pthread_rwlock_wrlock");
	return get_pthread_rwlock_wrlock()(l);
}

REAL(int, pthread_spin_lock, (pthread_spinlock_t *))
int pthread_spin_lock(pthread_spinlock_t *l)
{
	CHECK(K_LOCK, "pthread_spin_lock");
	return get_pthread_spin_lock()(l);
}

REAL(int, pthread_cond_wait, (pthread_cond_t *, pthread_mutex_t *))
int pthread_cond_wait(pthread_cond_t *c, pthread_mutex_t *m)
{
	CHECK(K_WAIT, "pthread_cond_wait");
	return get_pthread_cond_wait()(c, m);
}

REAL(int, pthread_cond_timedwait, (pthread_cond_t *, pthread_mutex_t *, const struct timespec *))
int pthread_cond_timedwait(pthread_cond_t *c, pthread_mutex_t *m, const struct timespec *t)
{
	CHECK(K_WAIT, "pthread_cond_timedwait");
	return get_pthread_cond_timedwait()(c, m, t);
}

REAL(int, pthread_join, (pthread_t, void **))
int pthread_join(pthread_t t, void **r)
{
	CHECK(K_WAIT, "pthread_join");
	return get_pthread_join()(t, r);
}

REAL(int, sem_wait, (sem_t *))
int sem_wait(sem_t *s)
{
	CHECK(K_WAIT, "sem_wait");
	return get_sem_wait()(s);
}

REAL(int, sem_timedwait, (sem_t *, const struct timespec *))
int sem_timedwait(sem_t *s, const struct timespec *t)
{
	CHECK(K_WAIT, "sem_timedwait");
	return get_sem_timedwait()(s, t);
}

REAL(int, nanosleep, (const struct timespec *, struct timespec *))
int nanosleep(const struct timespec *a, struct timespec *b)
{
	CHECK(K_SLEEP, "nanosleep");
	return get_nanosleep()(a, b);
}

REAL(int, clock_nanosleep, (clockid_t, int, const struct timespec *, struct timespec *))
int clock_nanosleep(clockid_t c, int f, const struct timespec *a, struct timespec *b)
{
	CHECK(K_SLEEP, "clock_nanosleep");
	return get_clock_nanosleep()(c, f, a, b);
}

REAL(int, usleep, (useconds_t))
int usleep(useconds_t u)
{
	CHECK(K_SLEEP, "usleep");
	return get_usleep()(u);
}

REAL(unsigned, sleep, (unsigned))
unsigned sleep(unsigned s)
{
	CHECK(K_SLEEP, "sleep");
	return get_sleep()(s);
}

REAL(int, sched_yield, (void))
int sched_yield(void)
{
	CHECK(K_SLEEP, "sched_yield");
	return get_sched_yield()();
}

REAL(ssize_t, read, (int, void *, size_t))
ssize_t read(int fd, void *buf, size_t n)
{
	CHECK(K_FILEIO, "read");
	return get_read()(fd, buf, n);
}

REAL(ssize_t, write, (int, const void *, size_t))
ssize_t write(int fd, const void *buf, size_t n)
{
	CHECK(K_FILEIO, "write");
	return get_write()(fd, buf, n);
}

REAL(int, open, (const char *, int, ...))
int open(const char *path, int flags, ...)
{
	CHECK(K_FILEIO, "open");
	mode_t mode = 0;
	if ((flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE)
	{
		va_list ap;
		va_start(ap, flags);
		mode = va_arg(ap, mode_t);
		va_end(ap);
	}
	return get_open()(path, flags, mode);
}

REAL(int, openat, (int, const char *, int, ...))
int openat(int dir, const char *path, int flags, ...)
{
	CHECK(K_FILEIO, "openat");
	mode_t mode = 0;
	if ((flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE)
	{
		va_list ap;
		va_start(ap, flags);
		mode = va_arg(ap, mode_t);
		va_end(ap);
	}
	return get_openat()(dir, path, flags, mode);
}

REAL(int, close, (int))
int close(int fd)
{
	CHECK(K_FILEIO, "close");
	return get_close()(fd);
}

REAL(FILE *, fopen, (const char *, const char *))
FILE *fopen(const char *path, const char *mode)
{
	CHECK(K_FILEIO, "fopen");
	return get_fopen()(path, mode);
}

REAL(size_t, fwrite, (const void *, size_t, size_t, FILE *))
size_t fwrite(const void *p, size_t a, size_t b, FILE *f)
{
	CHECK(K_FILEIO, "fwrite");
	return get_fwrite()(p, a, b, f);
}

REAL(int, fputs, (const char *, FILE *))
int fputs(const char *s, FILE *f)
{
	CHECK(K_FILEIO, "fputs");
	return get_fputs()(s, f);
}

REAL(int, puts, (const char *))
int puts(const char *s)
{
	CHECK(K_FILEIO, "puts");
	return get_puts()(s);
}

REAL(int, vfprintf, (FILE *, const char *, va_list))
int vfprintf(FILE *f, const char *fmt, va_list ap)
{
	CHECK(K_FILEIO, "vfprintf");
	return get_vfprintf()(f, fmt, ap);
}

int printf(const char *fmt, ...)
{
	CHECK(K_FILEIO, "printf");
	va_list ap;
	va_start(ap, fmt);
	const int r = get_vfprintf()(stdout, fmt, ap);
	va_end(ap);
	return r;
}

int fprintf(FILE *f, const char *fmt, ...)
{
	CHECK(K_FILEIO, "fprintf");
	va_list ap;
	va_start(ap, fmt);
	const int r = get_vfprintf()(f, fmt, ap);
	va_end(ap);
	return r;
}

REAL(int, fflush, (FILE *))
int fflush(FILE *f)
{
	CHECK(K_FILEIO, "fflush");
	return get_fflush()(f);
}

REAL(int, poll, (struct pollfd *, nfds_t, int))
int poll(struct pollfd *p, nfds_t n, int t)
{
	CHECK(K_WAIT, "poll");
	return get_poll()(p, n, t);
}

REAL(int, select, (int, fd_set *, fd_set *, fd_set *, struct timeval *))
int select(int n, fd_set *a, fd_set *b, fd_set *c, struct timeval *t)
{
	CHECK(K_WAIT, "select");
	return get_select()(n, a, b, c, t);
}

REAL(void *, mmap, (void *, size_t, int, int, int, off_t))
void *mmap(void *a, size_t n, int prot, int flags, int fd, off_t off)
{
	CHECK(K_ALLOC, "mmap");
	return get_mmap()(a, n, prot, flags, fd, off);
}

REAL(int, munmap, (void *, size_t))
int munmap(void *a, size_t n)
{
	CHECK(K_FREE, "munmap");
	return get_munmap()(a, n);
}

#pragma GCC visibility pop

/* Resolves every real function before any audio-thread scope opens, so
 * dlsym never runs inside one. */
__attribute__((constructor)) static void plughost_interpose_init(void)
{
	get_pthread_mutex_lock();
	get_pthread_mutex_timedlock();
	get_pthread_rwlock_rdlock();
	get_pthread_rwlock_wrlock();
	get_pthread_spin_lock();
	get_pthread_cond_wait();
	get_pthread_cond_timedwait();
	get_pthread_join();
	get_sem_wait();
	get_sem_timedwait();
	get_nanosleep();
	get_clock_nanosleep();
	get_usleep();
	get_sleep();
	get_sched_yield();
	get_read();
	get_write();
	get_open();
	get_openat();
	get_close();
	get_fopen();
	get_fwrite();
	get_fputs();
	get_puts();
	get_vfprintf();
	get_fflush();
	get_poll();
	get_select();
	get_mmap();
	get_munmap();
	plughost_rt_set_available();
}

#endif
