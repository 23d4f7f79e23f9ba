E.DEPTNO = D.DEPTNO(+)
And (E.SAL > 1000 Or E.ENAME Like 'S%')
And E.SAL >= S.LOSAL And E.SAL <= S.HISAL
And (D.LOC <> 'BOSTON' Or D.LOC Is Null)
And E.MGR = M.EMPNO
